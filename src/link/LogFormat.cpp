#include "LogFormat.h"

#include "base/AtomicFile.h"
#include "base/TextUtils.h"

#include <QDateTime>

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
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + '\n';
    TAtomicFile file(fileName);
    if (file.Open() && file.write(bytes) == bytes.size() && file.Commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}
