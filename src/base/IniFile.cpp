#include "IniFile.h"

#include "AtomicFile.h"
#include "CodePage.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QVector>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");
const QByteArray kDefaultNewline("\n");

// One line of the file as it is on disk; a line nobody changes is written
// back from raw, so its bytes survive whatever they are.
struct TIniLine {
    QByteArray raw; // without the line end
    QByteArray eol; // "\r\n", "\n" or empty for a last line without one
    QString text;
};

enum TIniLineKind { lkBlank, lkComment, lkSection, lkKey, lkOther };

struct TIniLineInfo {
    TIniLineKind kind = lkOther;
    QString name; // section or key name, trimmed
    qsizetype valueStart = 0;
};

struct TIniText {
    QVector<TIniLine> lines;
    bool utf8 = false;
    bool bom = false;
    QByteArray newline = kDefaultNewline;
};

bool HasNonAscii(const QByteArray& bytes) {
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    }
    return false;
}

bool IsValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = decoder.decode(bytes);
    Q_UNUSED(decoded);
    return !decoder.hasError();
}

QString Decode(const QByteArray& raw, bool utf8) {
    return utf8 ? QString::fromUtf8(raw) : FromCodePage(raw);
}

QByteArray Encode(const QString& text, bool utf8) {
    return utf8 ? text.toUtf8() : ToCodePage(text);
}

TIniText ParseText(QByteArray bytes) {
    TIniText text;
    if (bytes.startsWith(kUtf8Bom)) {
        text.bom = true;
        text.utf8 = true;
        bytes.remove(0, kUtf8Bom.size());
    } else {
        text.utf8 = HasNonAscii(bytes) && IsValidUtf8(bytes);
    }
    bool newlineKnown = false;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        const qsizetype lf = bytes.indexOf('\n', pos);
        TIniLine line;
        if (lf < 0) {
            line.raw = bytes.mid(pos);
            pos = bytes.size();
        } else {
            qsizetype end = lf;
            if (end > pos && bytes.at(end - 1) == '\r')
                --end;
            line.raw = bytes.mid(pos, end - pos);
            line.eol = bytes.mid(end, lf + 1 - end);
            pos = lf + 1;
            if (!newlineKnown) {
                text.newline = line.eol;
                newlineKnown = true;
            }
        }
        line.text = Decode(line.raw, text.utf8);
        text.lines.append(line);
    }
    return text;
}

QByteArray JoinText(const TIniText& text) {
    QByteArray out;
    if (text.bom)
        out.append(kUtf8Bom);
    for (const TIniLine& line : text.lines) {
        out.append(line.raw);
        out.append(line.eol);
    }
    return out;
}

TIniLineInfo Classify(const QString& line) {
    TIniLineInfo info;
    const QString t = line.trimmed();
    if (t.isEmpty()) {
        info.kind = lkBlank;
    } else if (t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#'))) {
        info.kind = lkComment;
    } else if (t.startsWith(QLatin1Char('['))) {
        info.kind = lkSection;
        const qsizetype close = t.indexOf(QLatin1Char(']'));
        info.name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
    } else {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            info.name = line.left(eq).trimmed();
            if (!info.name.isEmpty()) {
                info.kind = lkKey;
                info.valueStart = eq + 1;
            }
        }
    }
    return info;
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString ValueOf(const QString& line, const TIniLineInfo& info) {
    return line.mid(info.valueStart).trimmed().left(kIniValueMaxLen);
}

// A missing or unreadable file reads as empty; readable tells them apart.
TIniText LoadText(const QString& path, bool* readable = nullptr) {
    QFile file(path);
    if (!QFileInfo::exists(path)) {
        if (readable)
            *readable = true;
        return {};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (readable)
            *readable = false;
        return {};
    }
    if (readable)
        *readable = true;
    return ParseText(file.readAll());
}

// Index of the first line of key in the sections named section, or -1.
qsizetype FindKey(const TIniText& text, const QString& section, const QString& key) {
    bool inSection = false;
    for (qsizetype i = 0; i < text.lines.size(); ++i) {
        const TIniLineInfo info = Classify(text.lines.at(i).text);
        if (info.kind == lkSection)
            inSection = SameName(info.name, section);
        else if (inSection && info.kind == lkKey && SameName(info.name, key))
            return i;
    }
    return -1;
}

// Values must stay on their line.
QString OneLine(const QString& value) {
    QString v = value;
    v.replace(QLatin1Char('\r'), QLatin1Char(' '));
    v.replace(QLatin1Char('\n'), QLatin1Char(' '));
    v.replace(QChar(0), QLatin1Char(' '));
    return v;
}

void SetLineText(TIniText& text, qsizetype index, const QString& line) {
    TIniLine& l = text.lines[index];
    l.text = line;
    l.raw = Encode(line, text.utf8);
}

void InsertLine(TIniText& text, qsizetype index, const QString& line) {
    // The line before may be the file's last one, still without a line end.
    if (index > 0 && text.lines[index - 1].eol.isEmpty())
        text.lines[index - 1].eol = text.newline;
    TIniLine l;
    l.text = line;
    l.raw = Encode(line, text.utf8);
    l.eol = text.newline;
    text.lines.insert(index, l);
}

// Replaced whole: a failed save leaves the file as it was.
bool SaveText(const QString& path, const TIniText& text) {
    const QByteArray bytes = JoinText(text);
    TAtomicFile file(path);
    return file.Open() && file.write(bytes) == bytes.size() && file.Commit();
}

// Sets one key in the text: its own line when it has one, else a new line
// after the last key of its section, else a new section at the end.
void SetValue(TIniText& text, const TIniEntry& entry) {
    const QString v = OneLine(entry.Value);
    const qsizetype keyLine = FindKey(text, entry.Section, entry.Key);
    if (keyLine >= 0) {
        // Keep the key's own spelling and spacing up to the value.
        const QString& old = text.lines.at(keyLine).text;
        qsizetype start = Classify(old).valueStart;
        while (start < old.size() &&
               (old.at(start) == QLatin1Char(' ') || old.at(start) == QLatin1Char('\t')))
            ++start;
        SetLineText(text, keyLine, old.left(start) + v);
        return;
    }

    qsizetype insertAfter = -1;
    bool inSection = false;
    for (qsizetype i = 0; i < text.lines.size(); ++i) {
        const TIniLineInfo info = Classify(text.lines.at(i).text);
        if (info.kind == lkSection) {
            if (insertAfter >= 0)
                break;
            inSection = SameName(info.name, entry.Section);
            if (inSection)
                insertAfter = i;
        } else if (inSection && info.kind == lkKey) {
            insertAfter = i;
        }
    }
    const QString keyLineText = entry.Key + QLatin1Char('=') + v;
    if (insertAfter >= 0) {
        InsertLine(text, insertAfter + 1, keyLineText);
    } else {
        if (!text.lines.isEmpty() && !text.lines.constLast().text.trimmed().isEmpty())
            InsertLine(text, text.lines.size(), QString());
        InsertLine(text, text.lines.size(), QLatin1Char('[') + entry.Section + QLatin1Char(']'));
        InsertLine(text, text.lines.size(), keyLineText);
    }
}

bool ParseDigits(QStringView digits, int base, quint64 limit, quint64& out) {
    if (digits.isEmpty())
        return false;
    quint64 v = 0;
    for (const QChar c : digits) {
        const char16_t u = c.unicode();
        int d = -1;
        if (u >= '0' && u <= '9')
            d = u - '0';
        else if (u >= 'a' && u <= 'f')
            d = u - 'a' + 10;
        else if (u >= 'A' && u <= 'F')
            d = u - 'A' + 10;
        if (d < 0 || d >= base)
            return false;
        v = v * quint64(base) + quint64(d);
        if (v > limit)
            return false;
    }
    out = v;
    return true;
}

} // namespace

TIniFile::TIniFile(const QString& path) : FPath(path) {}

bool TIniFile::ParseInteger(const QString& text, int& value) {
    constexpr quint64 kHexLimit = 0xFFFFFFFFULL;
    constexpr quint64 kDecimalLimit = 0x80000000ULL;
    QStringView s = QStringView(text).trimmed();
    bool negative = false;
    if (s.startsWith(QLatin1Char('-')) || s.startsWith(QLatin1Char('+'))) {
        negative = s.front() == QLatin1Char('-');
        s = s.mid(1);
    }
    quint64 magnitude = 0;
    if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        if (!ParseDigits(s.mid(2), 16, kHexLimit, magnitude))
            return false;
    } else if (s.startsWith(QLatin1Char('$'))) {
        if (!ParseDigits(s.mid(1), 16, kHexLimit, magnitude))
            return false;
    } else {
        if (!ParseDigits(s, 10, kDecimalLimit, magnitude))
            return false;
        if (!negative && magnitude == kDecimalLimit)
            return false;
    }
    // Hexadecimal spans the full 32 bits ("$FFFFFFFF" is -1).
    const auto bits = static_cast<quint32>(magnitude);
    const quint32 result = negative ? quint32(0) - bits : bits;
    value = static_cast<int>(result);
    return true;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
    const TIniText text = LoadText(FPath);
    const qsizetype i = FindKey(text, section, key);
    if (i < 0)
        return def;
    const QString& line = text.lines.at(i).text;
    return ValueOf(line, Classify(line));
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) const {
    int value = def;
    if (!ParseInteger(ReadString(section, key, QString()), value))
        return def;
    return value;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

QStringList TIniFile::ReadSectionValues(const QString& section) const {
    const TIniText text = LoadText(FPath);
    QStringList values;
    bool inSection = false;
    for (const TIniLine& line : text.lines) {
        const TIniLineInfo info = Classify(line.text);
        if (info.kind == lkSection)
            inSection = SameName(info.name, section);
        else if (inSection && info.kind == lkKey)
            values.append(info.name + QLatin1Char('=') + ValueOf(line.text, info));
    }
    return values;
}

bool TIniFile::SectionExists(const QString& section) const {
    const TIniText text = LoadText(FPath);
    for (const TIniLine& line : text.lines) {
        const TIniLineInfo info = Classify(line.text);
        if (info.kind == lkSection && SameName(info.name, section))
            return true;
    }
    return false;
}

bool TIniFile::ValueExists(const QString& section, const QString& key) const {
    return FindKey(LoadText(FPath), section, key) >= 0;
}

bool TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    return WriteStrings({{section, key, value}});
}

bool TIniFile::WriteStrings(const QVector<TIniEntry>& entries) {
    bool readable = true;
    TIniText text = LoadText(FPath, &readable);
    // Never overwrite a file whose content could not be read.
    if (!readable)
        return false;
    for (const TIniEntry& entry : entries)
        SetValue(text, entry);
    return SaveText(FPath, text);
}

bool TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
    return WriteString(section, key, QString::number(value));
}

bool TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
    return WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
