#include "ConfigValueRules.h"

#include <QCoreApplication>

namespace {

constexpr int kMaxHexDigits = 16;

QString RangeMessage(const QString& value) {
    return QCoreApplication::translate("TConfigLoader", "Значение выходит за рамки диапазона: ") +
           value;
}

QString MaskMessage(const QString& value) {
    return QCoreApplication::translate("TConfigLoader", "Значение не соответствует маске: ") +
           value;
}

QString ListMessage(const QString& value) {
    return QCoreApplication::translate("TConfigLoader", "Значение не в списке допустимых: ") +
           value;
}

int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

} // namespace

QString NormaliseConfigText(const QString& text) {
    QString out;
    out.reserve(text.size());
    bool pendingBlank = false;
    for (const QChar c : text) {
        if (c.unicode() <= u' ') {
            pendingBlank = !out.isEmpty();
            continue;
        }
        if (pendingBlank)
            out += QLatin1Char(' ');
        pendingBlank = false;
        out += c;
    }
    return out;
}

bool ReadConfigDecimal(const QString& text, qint32* value) {
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    if (i >= t.size())
        return false;
    qint64 n = 0;
    for (; i < t.size(); ++i) {
        const char16_t u = t[i].unicode();
        if (u < '0' || u > '9')
            return false;
        n = n * 10 + (u - '0');
        if (n > kIntegerMaxDefault + 1)
            return false;
    }
    if (negative)
        n = -n;
    if (n < kIntegerMinDefault || n > kIntegerMaxDefault)
        return false;
    *value = static_cast<qint32>(n);
    return true;
}

bool ReadConfigHex(const QString& text, qint64* value) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > kMaxHexDigits)
        return false;
    quint64 n = 0;
    for (const QChar c : t) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return false;
        n = (n << 4) | static_cast<quint64>(digit);
    }
    *value = static_cast<qint64>(n);
    return true;
}

TConfigValue IntegerConfigValue(const TCmdParameter& param, const QString& value) {
    TConfigValue result;
    qint32 fallback = 0;
    if (!ReadConfigDecimal(param.DefaultValue, &fallback))
        fallback = 0;
    qint32 v = fallback;
    if (!ReadConfigDecimal(value, &v))
        v = fallback;
    if (v < param.MinValue || v > param.MaxValue) {
        result.Messages << RangeMessage(value);
        v = fallback;
    }
    result.Text = QString::number(v);
    return result;
}

TConfigValue StringConfigValue(const TCmdParameter& param, const QString& value, bool maskMatches) {
    TConfigValue result;
    result.Text = value;
    if (!param.OnLeaveMask.isEmpty() && !maskMatches) {
        result.Messages << MaskMessage(value);
        result.Text = param.DefaultValue;
    }
    return result;
}

TConfigValue HexConfigValue(const TCmdParameter& param, const QString& value) {
    TConfigValue result;
    const int maxLen = qMax(0, static_cast<int>(param.MaxLen));
    const QString zeros(maxLen, QLatin1Char('0'));
    QString v = value.trimmed().toUpper();
    if (v.size() < maxLen)
        v.prepend(zeros.left(maxLen - v.size()));

    bool replaced = false;
    auto replaceByDefault = [&] {
        if (!replaced)
            result.Messages << MaskMessage(value);
        replaced = true;
        v = param.DefaultValue;
    };
    while (v.size() > maxLen) {
        if (v.startsWith(QLatin1Char('0')))
            v.remove(0, 1);
        else if (!replaced)
            replaceByDefault();
        else
            v = v.right(maxLen); // an over-long default keeps its low digits
    }

    qint64 h = 0;
    if (!ReadConfigHex(v, &h)) {
        // Letters that are no hex digits would reach the device as they are.
        if (!replaced) {
            replaceByDefault();
            if (v.isEmpty())
                v = zeros;
        }
        if (!ReadConfigHex(param.DefaultValue, &h))
            h = 0;
    }
    if (h < param.MinValue || h > param.MaxValue) {
        result.Messages << RangeMessage(value);
        v = param.DefaultValue.isEmpty() ? zeros : param.DefaultValue;
    }
    result.Text = v;
    return result;
}

TConfigValue OptionConfigValue(const TCmdParameter& param, const QString& value) {
    TConfigValue result;
    for (int i = 0; i < param.Options.size(); ++i) {
        if (param.Options[i].OptionValue == value) {
            result.Option = i;
            return result;
        }
    }
    result.Messages << ListMessage(value);
    for (int i = 0; i < param.Options.size(); ++i) {
        if (param.Options[i].OptionValue == param.DefaultValue) {
            result.Option = i;
            return result;
        }
    }
    result.Option = param.Options.isEmpty() ? -1 : 0;
    return result;
}
