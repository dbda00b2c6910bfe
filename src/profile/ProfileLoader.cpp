#include "ProfileLoader.h"

#include "DevCommands.h"
#include "base/XmlParser.h"

#include <QLocale>
#include <cmath>
#include <limits>
#include <optional>

namespace {

// Controls are addressed by command << 16 | row << 8 | parameter, so a page
// can hold kTagMaxCommands commands and a command kTagMaxRows rows and
// kTagMaxParams parameters. The loader keeps the table inside those limits:
// a larger "maxindex" is clamped, and commands or parameters beyond the
// limit are skipped together with everything attached to them.
constexpr int kMaxIndexRows = kTagMaxRows;
constexpr int kMaxParameters = kTagMaxParams;
constexpr int kMaxPageCommands = kTagMaxCommands;
// A hex value is held in 64 bits.
constexpr int kHexMaxDigits = 16;
constexpr qint32 kMaxIndexDefault = -1;
constexpr qint32 kMaxLenDefault = 0;

// Optional sign, then decimal digits, or hex digits after "$", "x" or "0x";
// leading blanks skipped, nothing may follow. Empty when not a number or
// outside [lo, hi].
std::optional<qint64> ParseNumber(const QString& text, qint64 lo, qint64 hi) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && text.at(i) == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i < n && (text.at(i) == QLatin1Char('x') || text.at(i) == QLatin1Char('X'))) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text.at(i) == QLatin1Char('0') &&
               (text.at(i + 1) == QLatin1Char('x') || text.at(i + 1) == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return std::nullopt;
    // Magnitude limit: |lo| for negatives, hi otherwise.
    quint64 limit = 0;
    if (negative)
        limit = lo >= 0 ? 0 : quint64(-(lo + 1)) + 1;
    else
        limit = hi < 0 ? 0 : quint64(hi);
    quint64 value = 0;
    for (; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return std::nullopt;
        if (quint64(digit) > limit || value > (limit - quint64(digit)) / quint64(base))
            return std::nullopt;
        value = value * quint64(base) + quint64(digit);
    }
    if (negative)
        return value == 0 ? 0 : qint64(~(value - 1)); // -value without overflow
    if (qint64(value) < lo)
        return std::nullopt;
    return qint64(value);
}

qint64 ReadNumber(const QString& text, qint64 lo, qint64 hi, qint64 def) {
    return ParseNumber(text, lo, hi).value_or(def);
}

qint32 ReadInt32(const QString& text, qint32 def) {
    return qint32(ReadNumber(text, std::numeric_limits<qint32>::min(),
                             std::numeric_limits<qint32>::max(), def));
}

qint64 ReadInt64(const QString& text, qint64 def) {
    return ReadNumber(text, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(),
                      def);
}

// A number (0 false, anything else true) in the system's decimal notation,
// or "True"/"False" in any case. Hexadecimal forms and group separators are
// no numbers here.
std::optional<bool> ParseBool(const QString& text) {
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double d = locale.toDouble(t, &ok);
    if (ok && std::isfinite(d))
        return d != 0.0;
    return std::nullopt;
}

bool ReadBool(const QString& text, bool def) {
    return ParseBool(text).value_or(def);
}

TGroupSetData ReadGroupSetData(const QString& text) {
    const auto b = ParseBool(text);
    if (!b)
        return gsAuto;
    return *b ? gsYes : gsNo;
}

TPasswordMode ReadPasswordMode(const QString& text) {
    const QString t = text.toUpper();
    if (t == QLatin1String("ADMIN"))
        return pmAdmin;
    if (t == QLatin1String("ADMINUSER"))
        return pmAdminUser;
    if (t == QLatin1String("USERADMIN"))
        return pmUserAdmin;
    if (t == QLatin1String("USER"))
        return pmUser;
    return pmAdminUser;
}

TParamKind ReadParamKind(const QString& text) {
    if (text == QLatin1String("string"))
        return pkString;
    if (text == QLatin1String("hex"))
        return pkHex;
    if (text == QLatin1String("integer"))
        return pkInteger;
    if (text == QLatin1String("option"))
        return pkOption;
    return pkString;
}

void ReadCommand(const TXmlParser& xml, TDevCommand& cmd, int page, int command) {
    cmd.CommandName = xml.CurAttr(QStringLiteral("command"));
    cmd.PasswordMode = ReadPasswordMode(xml.CurAttr(QStringLiteral("passwordmode")));
    AddCommandIndex(cmd.CommandName, page, command);
    cmd.Description = xml.CurAttr(QStringLiteral("description"));
    cmd.PollData = ReadBool(xml.CurAttr(QStringLiteral("polldata")), false);
    cmd.SetData = ReadBool(xml.CurAttr(QStringLiteral("setdata")), true);
    cmd.GroupSetData = ReadGroupSetData(xml.CurAttr(QStringLiteral("groupsetdata")));
    cmd.ExportData = ReadBool(xml.CurAttr(QStringLiteral("exportdata")), false);
    cmd.MaxIndex = ReadInt32(xml.CurAttr(QStringLiteral("maxindex")), kMaxIndexDefault);
    if (cmd.MaxIndex > kMaxIndexRows)
        cmd.MaxIndex = kMaxIndexRows;
    cmd.Indexed = cmd.MaxIndex > 0;
    cmd.PollProcessorName = xml.CurAttr(QStringLiteral("pollprocessor"));
    if (cmd.PollProcessorName.isEmpty())
        cmd.PollProcessorName = PollProcessorDefault(cmd.CommandName);
    if (cmd.PollProcessorName.isEmpty() && !cmd.PollData)
        cmd.PollProcessorName = QStringLiteral("nonpoll");
}

void ReadParameter(const TXmlParser& xml, TCmdParameter& par) {
    par.ParamKind = ReadParamKind(xml.CurAttr(QStringLiteral("type")));
    par.Description = xml.CurAttr(QStringLiteral("description"));
    par.Suffix = xml.CurAttr(QStringLiteral("suffix"));
    par.Optional = ReadBool(xml.CurAttr(QStringLiteral("optional")), true);
    par.Overwrite = ReadBool(xml.CurAttr(QStringLiteral("overwrite")), true);
    const QString minText = xml.CurAttr(QStringLiteral("minvalue"));
    const QString maxText = xml.CurAttr(QStringLiteral("maxvalue"));
    if (par.ParamKind == pkInteger) {
        par.MinValue = ReadInt32(minText, qint32(kIntegerMinDefault));
        par.MaxValue = ReadInt32(maxText, qint32(kIntegerMaxDefault));
    } else {
        par.MinValue = ReadInt64(minText, kUnsignedMinDefault);
        par.MaxValue = ReadInt64(maxText, kUnsignedMaxDefault);
    }
    par.OnCharMask = xml.CurAttr(QStringLiteral("onchar_mask"));
    par.OnLeaveMask = xml.CurAttr(QStringLiteral("onleave_mask"));
    par.DefaultValue = xml.CurAttr(QStringLiteral("defaultvalue"));
    par.MaxLen = ReadInt32(xml.CurAttr(QStringLiteral("maxlen")), kMaxLenDefault);
    // A negative length means nothing sensible; read it as "no limit".
    if (par.MaxLen < 0)
        par.MaxLen = 0;
    if (par.ParamKind == pkHex) {
        if (par.MaxLen == 0)
            par.MaxLen = kHexDefaultMaxLen;
        if (par.MaxLen > kHexMaxDigits)
            par.MaxLen = kHexMaxDigits;
    }
}

void LoadFrom(TXmlParser& xml) {
    // Nesting is by order: each element attaches to the last one of its
    // parent kind. An element without such a parent, or one the table cannot
    // address, is skipped with everything that attaches to it.
    TCmdPage* page = nullptr;
    TDevCommand* command = nullptr;
    TCmdParameter* parameter = nullptr;
    while (xml.Scan()) {
        if (xml.CurPartType() != ptStartTag && xml.CurPartType() != ptEmptyTag)
            continue;
        const QString& name = xml.CurName();
        if (name == QLatin1String("page")) {
            DevCommands.append(TCmdPage());
            page = &DevCommands.last();
            page->PageId = xml.CurAttr(QStringLiteral("id"));
            page->PageName = xml.CurAttr(QStringLiteral("name"));
            command = nullptr;
            parameter = nullptr;
        } else if (name == QLatin1String("command")) {
            parameter = nullptr;
            command = nullptr;
            if (!page || page->Commands.size() >= kMaxPageCommands)
                continue;
            page->Commands.append(TDevCommand());
            command = &page->Commands.last();
            ReadCommand(xml, *command, int(DevCommands.size() - 1), int(page->Commands.size() - 1));
        } else if (name == QLatin1String("parameter")) {
            parameter = nullptr;
            if (!command || command->Parameters.size() >= kMaxParameters)
                continue;
            command->Parameters.append(TCmdParameter());
            parameter = &command->Parameters.last();
            ReadParameter(xml, *parameter);
        } else if (name == QLatin1String("option")) {
            if (!parameter)
                continue;
            parameter->Options.append(TCmdOption{xml.CurAttr(QStringLiteral("value")),
                                                 xml.CurAttr(QStringLiteral("text"))});
        }
    }
}

void ClearTable() {
    DevCommands.clear();
    ClearCommandIndex();
}

} // namespace

void LoadCommandProfile(const QString& path) {
    ClearTable();
    TXmlParser xml;
    if (!xml.LoadFromFile(path))
        return;
    LoadFrom(xml);
}

void LoadCommandProfileFromData(const QByteArray& data) {
    ClearTable();
    TXmlParser xml;
    xml.LoadFromBuffer(data);
    LoadFrom(xml);
}
