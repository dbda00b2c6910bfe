#include "TextUtils.h"

namespace {

bool IsBlankOrControl(QChar c) { return c.unicode() <= 32; }

QString TrimControls(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && IsBlankOrControl(s.at(b)))
        ++b;
    while (e > b && IsBlankOrControl(s.at(e - 1)))
        --e;
    return s.mid(b, e - b);
}

} // namespace

bool ExtractLine(QString& buffer, QString& line) {
    line.clear();
    static const QString terminators[] = {QStringLiteral("\r\n"), QStringLiteral("\r"),
                                          QStringLiteral("\n"), QString(QChar(0))};
    qsizetype bestPos = -1;
    qsizetype bestLen = 0;
    for (const QString& t : terminators) {
        const qsizetype pos = buffer.indexOf(t);
        if (pos < 0)
            continue;
        if (bestPos < 0 || pos < bestPos || (pos == bestPos && t.size() > bestLen)) {
            bestPos = pos;
            bestLen = t.size();
        }
    }
    if (bestPos < 0)
        return false;
    line = buffer.left(bestPos);
    buffer.remove(0, bestPos + bestLen);
    return true;
}

void SplitList(const QString& text, QStringList& list) {
    list.clear();
    QString s = TrimControls(text);
    while (!s.isEmpty()) {
        qsizetype searchFrom = 0;
        if (s.startsWith(QLatin1Char('"'))) {
            const qsizetype close = s.indexOf(QLatin1Char('"'), 1);
            if (close < 0) {
                // No closing quote: the rest, quote included, is the last item.
                list.append(s);
                return;
            }
            s.remove(close, 1);
            s.remove(0, 1);
            searchFrom = close - 1;
        }
        const qsizetype comma = s.indexOf(QLatin1Char(','), searchFrom);
        if (comma >= 0) {
            list.append(TrimControls(s.left(comma)));
            s = TrimControls(s.mid(comma + 1));
        } else {
            list.append(s);
            s.clear();
        }
    }
}

QStringList SplitList(const QString& text) {
    QStringList list;
    SplitList(text, list);
    return list;
}
