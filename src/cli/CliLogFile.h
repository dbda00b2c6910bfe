#pragma once

#include "base/LogKind.h"

#include <QFile>
#include <QMutex>
#include <QString>

// The exchange log of every port in one file: each line carries a time stamp,
// the port and the log kind's prefix. Shared by the port threads.
class TCliLogFile {
public:
    TCliLogFile() = default;
    TCliLogFile(const TCliLogFile&) = delete;
    TCliLogFile& operator=(const TCliLogFile&) = delete;

    // False with the reason when the file cannot be created.
    bool Open(const QString& fileName, QString* error);
    bool IsOpen() const { return FFile.isOpen(); }
    void Write(const QString& port, const QString& text, LogKind kind);

private:
    QMutex FMutex;
    QFile FFile;
};
