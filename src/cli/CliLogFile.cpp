#include "CliLogFile.h"

#include "link/LogFormat.h"

#include <QDateTime>
#include <QMutexLocker>

bool TCliLogFile::Open(const QString& fileName, QString* error) {
    FFile.setFileName(fileName);
    if (FFile.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return true;
    if (error)
        *error = FFile.errorString();
    return false;
}

void TCliLogFile::Write(const QString& port, const QString& text, LogKind kind) {
    if (!FFile.isOpen())
        return;
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    // The same cutting as the window's pane: one line per received line,
    // control characters made visible.
    const QStringList lines = FormatLogLines(text, LogPrefix(kind));
    QByteArray out;
    for (const QString& line : lines)
        out += (stamp + QLatin1Char(' ') + port + QLatin1Char(' ') + line + QLatin1Char('\n'))
                   .toUtf8();
    QMutexLocker lock(&FMutex);
    FFile.write(out);
    FFile.flush();
}
