#pragma once

#include <QString>

class QIODevice;
class TParamValues;

// Saving and loading configuration files over any value store. Nothing here
// shows a dialog: messages (open failures and an oversized file included) go
// to the report, the result says what happened; showing a write or stream
// error is the caller's.

class TConfigReport {
public:
    virtual ~TConfigReport() = default;
    // A line for the log (refused value, skipped command, ...).
    virtual void Log(const QString& text) = 0;
    // Leave-mask test of loading. Search semantics; an invalid mask counts
    // as matching.
    virtual bool MaskMatches(const QString& mask, const QString& text);
};

enum TConfigFileStatus {
    cfOk,
    cfOpenError,   // the file could not be opened or created (Error: why)
    cfWriteError,  // writing failed (Error: why)
    cfTooLarge,    // the text is over the size cap; nothing loaded
    cfStreamError, // not a configuration stream or damaged (Error: zlib's text)
    cfStructure    // a structural error stopped loading; values before it are set
};

struct TConfigFileResult {
    TConfigFileStatus Status = cfOk;
    QString Error;
    bool Ok() const { return Status == cfOk; }
};

// Writes every exported, usable command of values.
TConfigFileResult SaveConfiguration(const TParamValues& values, QIODevice& out,
                                    TConfigReport& report);
TConfigFileResult SaveConfigurationFile(const TParamValues& values, const QString& fileName,
                                        TConfigReport& report);
// Reads a configuration into values, logging every refused value.
TConfigFileResult LoadConfiguration(QIODevice& in, TParamValues& values, TConfigReport& report);
TConfigFileResult LoadConfigurationFile(const QString& fileName, TParamValues& values,
                                        TConfigReport& report);
