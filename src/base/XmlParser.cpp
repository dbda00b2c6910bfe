#include "XmlParser.h"

#include "base/CodePage.h"

#include <QFile>
#include <cstring>

namespace {

// Longest reference looked for after "&" ("&#x10FFFF;" and the named ones fit
// easily); bounding the look-ahead keeps a text full of "&" linear.
constexpr qsizetype kMaxReferenceLength = 32;
constexpr char32_t kMaxCodePoint = 0x10FFFF;
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

QString Decode(const char* p, qsizetype n) {
    return FitCodePage(QString::fromUtf8(p, n));
}

void AppendUtf8(QByteArray& out, char32_t cp) {
    if (cp < 0x80) {
        out.append(char(cp));
    } else if (cp < 0x800) {
        out.append(char(0xC0 | (cp >> 6)));
        out.append(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.append(char(0xE0 | (cp >> 12)));
        out.append(char(0x80 | ((cp >> 6) & 0x3F)));
        out.append(char(0x80 | (cp & 0x3F)));
    } else {
        out.append(char(0xF0 | (cp >> 18)));
        out.append(char(0x80 | ((cp >> 12) & 0x3F)));
        out.append(char(0x80 | ((cp >> 6) & 0x3F)));
        out.append(char(0x80 | (cp & 0x3F)));
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Body of "&#...;" without "&#" and ";". False when no character can be read
// from it (no digits, a stray character, zero, a surrogate, beyond Unicode).
bool ReadCharNumber(const char* p, qsizetype n, char32_t& cp) {
    int base = 10;
    if (n > 0 && (p[0] == 'x' || p[0] == 'X')) {
        base = 16;
        ++p;
        --n;
    }
    if (n <= 0)
        return false;
    char32_t value = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const int digit =
            base == 16 ? HexDigit(p[i]) : (p[i] >= '0' && p[i] <= '9' ? p[i] - '0' : -1);
        if (digit < 0)
            return false;
        value = value * base + char32_t(digit);
        if (value > kMaxCodePoint)
            return false;
    }
    if (value == 0 || (value >= 0xD800 && value <= 0xDFFF))
        return false;
    cp = value;
    return true;
}

// p[0] is "&". Appends the referenced character and returns the length of
// the reference, or 0 when this is no reference (the "&" then stays as
// written, like a reference to an undeclared entity). A numeric reference
// whose number cannot be read gives a space.
qsizetype ReadReference(const char* p, qsizetype n, QByteArray& out) {
    qsizetype semi = -1;
    for (qsizetype i = 1; i < n && i <= kMaxReferenceLength; ++i) {
        const char c = p[i];
        if (c == ';') {
            semi = i;
            break;
        }
        if (c == '&' || c == '<' || IsBlank(c))
            break;
    }
    if (semi < 1)
        return 0;
    const char* name = p + 1;
    const qsizetype len = semi - 1;
    if (len >= 1 && name[0] == '#') {
        char32_t cp = 0;
        if (ReadCharNumber(name + 1, len - 1, cp))
            AppendUtf8(out, cp);
        else
            out.append(' ');
        return semi + 1;
    }
    struct TEntity {
        const char* Name;
        char Value;
    };
    static constexpr TEntity kEntities[] = {
        {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"apos", '\''}, {"quot", '"'}};
    for (const TEntity& e : kEntities) {
        if (qsizetype(std::strlen(e.Name)) == len && std::memcmp(e.Name, name, len) == 0) {
            out.append(e.Value);
            return semi + 1;
        }
    }
    return 0;
}

// Text content: references replaced, blanks trimmed and inner runs folded.
QString DecodeText(const char* p, qsizetype n) {
    QByteArray out;
    out.reserve(n);
    bool pendingBlank = false;
    qsizetype i = 0;
    while (i < n) {
        const char c = p[i];
        if (IsBlank(c)) {
            pendingBlank = !out.isEmpty();
            ++i;
            continue;
        }
        if (pendingBlank) {
            out.append(' ');
            pendingBlank = false;
        }
        if (c == '&') {
            const qsizetype used = ReadReference(p + i, n - i, out);
            if (used > 0) {
                i += used;
                continue;
            }
        }
        out.append(c);
        ++i;
    }
    return Decode(out.constData(), out.size());
}

// Attribute value: references replaced, each tab, CR and LF one space.
QString DecodeAttr(const char* p, qsizetype n) {
    QByteArray out;
    out.reserve(n);
    qsizetype i = 0;
    while (i < n) {
        const char c = p[i];
        if (c == '&') {
            const qsizetype used = ReadReference(p + i, n - i, out);
            if (used > 0) {
                i += used;
                continue;
            }
        }
        out.append(IsBlank(c) ? ' ' : c);
        ++i;
    }
    return Decode(out.constData(), out.size());
}

QString DecodeTrimmed(const char* p, qsizetype n) {
    while (n > 0 && IsBlank(p[0])) {
        ++p;
        --n;
    }
    while (n > 0 && IsBlank(p[n - 1]))
        --n;
    return Decode(p, n);
}

} // namespace

bool TXmlParser::LoadFromFile(const QString& path) {
    Clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    LoadFromBuffer(data);
    return true;
}

void TXmlParser::LoadFromBuffer(const QByteArray& utf8) {
    Clear();
    FData = utf8;
    if (FData.startsWith(kUtf8Bom))
        FPos = 3;
}

void TXmlParser::Clear() {
    FData.clear();
    FPos = 0;
    FPartType = ptNone;
    FName.clear();
    FContent.clear();
    FAttrs.clear();
}

QString TXmlParser::CurAttr(const QString& name) const {
    return FAttrs.value(name);
}

qsizetype TXmlParser::FindText(const char* what, qsizetype from) const {
    return FData.indexOf(what, from);
}

// Every step moves FPos forward and nothing is scanned twice, so a whole
// document costs time linear in its size whatever it contains.
bool TXmlParser::Scan() {
    while (FPos < FData.size()) {
        const bool reported = FData.at(FPos) == '<' ? ScanMarkup() : ScanText();
        if (reported)
            return true;
    }
    FPartType = ptNone;
    return false;
}

bool TXmlParser::ScanText() {
    const char* d = FData.constData();
    const qsizetype start = FPos;
    const void* lt = std::memchr(d + start, '<', size_t(FData.size() - start));
    const qsizetype end = lt ? static_cast<const char*>(lt) - d : FData.size();
    FPos = end;
    QString text = DecodeText(d + start, end - start);
    if (text.isEmpty())
        return false; // blanks only: not a part
    FPartType = ptContent;
    FContent = text;
    return true;
}

// At "<". False when the construct is not closed: it then runs to the end
// of the input, which ends the scan, and is not reported.
bool TXmlParser::ScanMarkup() {
    const char* d = FData.constData();
    const qsizetype size = FData.size();
    const qsizetype p = FPos;
    const QByteArrayView rest(d + p, size - p);

    if (rest.startsWith("<?")) {
        const qsizetype end = FindText("?>", p + 2);
        if (end < 0) {
            FPos = size;
            return false;
        }
        qsizetype q = p + 2;
        while (q < end && !IsBlank(d[q]))
            ++q;
        const QByteArrayView target(d + p + 2, q - (p + 2));
        FPos = end + 2;
        FContent.clear();
        if (target == "xml") {
            FPartType = ptXmlProlog;
            FName.clear();
            ParseAttributes(q, end, false, nullptr);
        } else {
            FPartType = ptPI;
            FAttrs.clear();
            FName = Decode(target.data(), target.size());
            FContent = DecodeTrimmed(d + q, end - q);
        }
        return true;
    }
    if (rest.startsWith("<!--")) {
        const qsizetype end = FindText("-->", p + 4);
        if (end < 0) {
            FPos = size;
            return false;
        }
        FPartType = ptComment;
        FContent = Decode(d + p + 4, end - (p + 4));
        FPos = end + 3;
        return true;
    }
    if (rest.startsWith("<![CDATA[")) {
        const qsizetype end = FindText("]]>", p + 9);
        if (end < 0) {
            FPos = size;
            return false;
        }
        FPartType = ptCData;
        FContent = Decode(d + p + 9, end - (p + 9));
        FPos = end + 3;
        return true;
    }
    if (rest.startsWith("<!")) {
        // Document type declaration: up to the ">" outside quotes and outside
        // the internal subset's brackets.
        qsizetype q = p + 2;
        int depth = 0;
        char quote = 0;
        for (; q < size; ++q) {
            const char c = d[q];
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '[') {
                ++depth;
            } else if (c == ']') {
                if (depth > 0)
                    --depth;
            } else if (c == '>' && depth == 0) {
                break;
            }
        }
        if (q >= size) {
            FPos = size;
            return false;
        }
        FPartType = ptDtdc;
        FName.clear();
        FAttrs.clear();
        FContent = DecodeTrimmed(d + p + 2, q - (p + 2));
        FPos = q + 1;
        return true;
    }
    return ScanTag(rest.startsWith("</") ? p + 2 : p + 1, rest.startsWith("</"));
}

bool TXmlParser::ScanTag(qsizetype from, bool endTag) {
    const char* d = FData.constData();
    const qsizetype size = FData.size();
    qsizetype q = from;
    while (q < size && !IsBlank(d[q]) && d[q] != '/' && d[q] != '>')
        ++q;
    const qsizetype nameEnd = q;
    qsizetype next = -1;
    bool empty = false;
    if (endTag) {
        const void* gt = std::memchr(d + q, '>', size_t(size - q));
        if (gt) {
            next = static_cast<const char*>(gt) - d + 1;
            FAttrs.clear();
        }
    } else {
        next = ParseAttributes(q, size, true, &empty);
    }
    if (next < 0) {
        FPos = size;
        FAttrs.clear();
        return false;
    }
    FPos = next;
    FPartType = endTag ? ptEndTag : (empty ? ptEmptyTag : ptStartTag);
    FName = Decode(d + from, nameEnd - from);
    FContent.clear();
    return true;
}

// Reads name="value" pairs from [from, limit). With stopAtGt the list ends at
// the first ">" outside quotes and the position after it is returned (-1
// when there is none); a "/" right before that ">" marks an empty-element
// tag. The first of two equal names counts.
qsizetype TXmlParser::ParseAttributes(qsizetype from, qsizetype limit, bool stopAtGt,
                                      bool* emptyTag) {
    const char* d = FData.constData();
    FAttrs.clear();
    bool slash = false;
    qsizetype i = from;
    while (i < limit) {
        const char c = d[i];
        if (IsBlank(c)) {
            ++i;
            continue;
        }
        if (stopAtGt && c == '>') {
            if (emptyTag)
                *emptyTag = slash;
            return i + 1;
        }
        if (c == '/') {
            slash = true;
            ++i;
            continue;
        }
        slash = false;
        const qsizetype nameStart = i;
        while (i < limit && !IsBlank(d[i]) && d[i] != '=' && d[i] != '>' && d[i] != '/')
            ++i;
        if (i == nameStart) {
            ++i; // a stray "=": skip it
            continue;
        }
        const qsizetype nameEnd = i;
        qsizetype j = i;
        while (j < limit && IsBlank(d[j]))
            ++j;
        qsizetype valueStart = j;
        qsizetype valueEnd = j;
        if (j < limit && d[j] == '=') {
            ++j;
            while (j < limit && IsBlank(d[j]))
                ++j;
            if (j < limit && (d[j] == '"' || d[j] == '\'')) {
                const void* close = std::memchr(d + j + 1, d[j], size_t(limit - j - 1));
                if (!close)
                    return -1;
                valueStart = j + 1;
                valueEnd = static_cast<const char*>(close) - d;
                i = valueEnd + 1;
            } else {
                valueStart = j;
                while (j < limit && !IsBlank(d[j]) && d[j] != '>' &&
                       !(d[j] == '/' && j + 1 < limit && d[j + 1] == '>'))
                    ++j;
                valueEnd = j;
                i = j;
            }
        } else {
            i = j; // a name without a value reads as empty
        }
        const QString name = Decode(d + nameStart, nameEnd - nameStart);
        if (!FAttrs.contains(name))
            FAttrs.insert(name, DecodeAttr(d + valueStart, valueEnd - valueStart));
    }
    return stopAtGt ? -1 : limit;
}
