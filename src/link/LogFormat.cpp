#include "LogFormat.h"

#include "base/TextUtils.h"

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
