#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <memory>

class QIODevice;

// Configuration files ("*.zxml"): one zlib stream holding UTF-8 XML. Writing
// is here, inflating in ConfigInflate.h, the XML walk in ConfigReader.h and
// the value rules in ConfigValueRules.h; none of them knows a widget, the
// main window only maps them onto its controls.

constexpr int kConfigDeflateLevel = 9;
constexpr int kConfigWindowBits = 15;
constexpr int kConfigMemLevel = 8;
constexpr int kConfigOutBufferSize = 64 * 1024;
constexpr int kConfigInflatePiece = 1024;
constexpr int kConfigInBufferSize = 16 * 1024;
constexpr qsizetype kConfigMaxTextSize = 1048576;

// Replacement texts by character code; an empty entry writes the character
// itself. Only codes below 127 are looked up.
extern const std::array<QByteArray, 256> EscapeTable;

// The name or value as it goes into the file, before the UTF-8 encoding:
// fitted to the code page, then escaped.
QString EscapeConfigText(const QString& text);

// Streams the XML text line by line into a zlib stream over out (which must
// stay open while the writer lives). The first failed write stops all further
// output; the stream is still closed by Close() or the destructor.
class TConfigWriter {
public:
    explicit TConfigWriter(QIODevice* out);
    ~TConfigWriter();
    TConfigWriter(const TConfigWriter&) = delete;
    TConfigWriter& operator=(const TConfigWriter&) = delete;

    void WriteHeader(); // declaration, root start, list start
    void BeginCommand(const QString& name);
    void BeginRow(int row);
    // enabled is written only for an optional parameter.
    void WriteParameter(int param, bool optional, bool enabled, const QString& value);
    void EndRow();
    void EndCommand();
    void WriteFooter(); // list end, root end

    // Flushes the remaining deflate data and the Adler-32 trailer. Safe to
    // call more than once; false when any write failed.
    bool Close();

    bool Failed() const { return !FError.isEmpty(); }
    QString ErrorString() const { return FError; }

private:
    void WriteLine(int blanks, const QByteArray& text);
    void Deflate(const QByteArray& data, int flush);
    void FlushBuffer();

    struct TState;
    std::unique_ptr<TState> FState;
    QIODevice* FOut = nullptr;
    QString FError;
    bool FClosed = false;
};
