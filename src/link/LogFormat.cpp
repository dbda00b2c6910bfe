#include "LogFormat.h"

#include "base/TextUtils.h"

#include <QDateTime>
#include <QSaveFile>

QString LogPrefix(int kind) {
    switch (kind) {
    case lkRead:
        return QStringLiteral("<");
    case lkWrite:
        return QStringLiteral(">");
    case lkReadError:
        return QStringLiteral("E<");
    case lkWriteError:
        return QStringLiteral("E>");
    case lkGeneral:
        return QStringLiteral("]");
    default:
        return QString();
    }
}

QStringList FormatLogLines(const QString& text, const QString& prefix) {
    QStringList out;
    qsizetype pos = 0;
    QString line;
    while (ExtractLine(text, pos, line)) {
        for (QChar& c : line) {
            if (c.unicode() < 32)
                c = QLatin1Char('_');
        }
        out.append(prefix + line);
    }
    if (pos < text.size())
        out.append(prefix + text.mid(pos));
    return out;
}

QString SavedLogLine(const QDateTime& time, const QString& line) {
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) + QLatin1Char(' ') + line;
}

bool WriteLogFile(const QString& fileName, const QStringList& lines, QString* error) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    for (const QString& line : lines) {
        if (file.write(line.toUtf8() + '\n') < 0)
            break;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
