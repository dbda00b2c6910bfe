#include "TextUtils.h"

#include <utility>

namespace {

bool IsBlankOrControl(QChar c) {
    return c.unicode() <= 32;
}

} // namespace

QString TrimControls(QStringView s) {
    qsizetype b = 0, e = s.size();
    while (b < e && IsBlankOrControl(s.at(b)))
        ++b;
    while (e > b && IsBlankOrControl(s.at(e - 1)))
        --e;
    return s.mid(b, e - b).toString();
}

// One pass for all four terminators: the first CR, LF or NUL is the earliest
// terminator, and a CR directly followed by LF is the longer CR LF.
bool ExtractLine(const QString& text, qsizetype& pos, QString& line) {
    line.clear();
    const qsizetype n = text.size();
    const QChar* d = text.constData();
    for (qsizetype i = qMax<qsizetype>(pos, 0); i < n; ++i) {
        const char16_t c = d[i].unicode();
        if (c != u'\r' && c != u'\n' && c != 0)
            continue;
        const qsizetype len = (c == u'\r' && i + 1 < n && d[i + 1] == u'\n') ? 2 : 1;
        line = text.mid(pos, i - pos);
        pos = i + len;
        return true;
    }
    return false;
}

bool ExtractLine(QString& buffer, QString& line) {
    qsizetype pos = 0;
    if (!ExtractLine(std::as_const(buffer), pos, line))
        return false;
    buffer.remove(0, pos);
    return true;
}

// Walks the text once with positions instead of cutting copies off its
// front, so a long list stays linear.
void SplitList(const QString& text, QStringList& list) {
    list.clear();
    const QStringView all(text);
    qsizetype pos = 0;
    qsizetype end = all.size();
    while (end > pos && IsBlankOrControl(all.at(end - 1)))
        --end;
    auto skipBlanks = [&all, end](qsizetype p) {
        while (p < end && IsBlankOrControl(all.at(p)))
            ++p;
        return p;
    };
    pos = skipBlanks(pos);
    while (pos < end) {
        if (all.at(pos) == QLatin1Char('"')) {
            const qsizetype close = text.indexOf(QLatin1Char('"'), pos + 1);
            if (close < 0 || close >= end) {
                // No closing quote: the rest, quote included, is the last item.
                list.append(all.mid(pos, end - pos).toString());
                return;
            }
            // The quotes go; the separator is searched after the quoted text.
            const QStringView quoted = all.mid(pos + 1, close - pos - 1);
            const qsizetype comma = text.indexOf(QLatin1Char(','), close + 1);
            if (comma >= 0 && comma < end) {
                list.append(
                    TrimControls(quoted.toString().append(all.mid(close + 1, comma - close - 1))));
                pos = skipBlanks(comma + 1);
            } else {
                list.append(quoted.toString().append(all.mid(close + 1, end - close - 1)));
                return;
            }
            continue;
        }
        const qsizetype comma = text.indexOf(QLatin1Char(','), pos);
        if (comma >= 0 && comma < end) {
            list.append(TrimControls(all.mid(pos, comma - pos)));
            pos = skipBlanks(comma + 1);
        } else {
            list.append(all.mid(pos, end - pos).toString());
            return;
        }
    }
}

QStringList SplitList(const QString& text) {
    QStringList list;
    SplitList(text, list);
    return list;
}
