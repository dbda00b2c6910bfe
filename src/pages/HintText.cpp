#include "HintText.h"

#include <QCoreApplication>

namespace {

constexpr char kHintContext[] = "HintText";

QString Word(const char* text) {
    return QCoreApplication::translate(kHintContext, text);
}

QString HexPadded(qint64 value, int digits) {
    return QString::number(quint64(value), 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

} // namespace

QString ParameterRuleHint(const TCmdParameter& param) {
    const QString space = QStringLiteral(" ");
    QString hint;
    switch (param.ParamKind) {
    case pkInteger:
        hint = Word("Число");
        if (param.MinValue != kIntegerMinDefault)
            hint += space + Word("от") + space + QString::number(param.MinValue);
        if (param.MaxValue != kIntegerMaxDefault)
            hint += space + Word("до") + space + QString::number(param.MaxValue);
        break;
    case pkString:
        hint = Word("Строка");
        if (param.MaxLen > 0)
            hint += space + Word("до") + space + QString::number(param.MaxLen) + space +
                    Word("символов");
        if (!param.OnLeaveMask.isEmpty())
            hint += QStringLiteral(", ") + Word("маска") + space + param.OnLeaveMask;
        break;
    case pkHex:
        hint = Word("Шестнадцатеричное число") + space + QString::number(param.MaxLen) + space +
               Word("символов");
        if (param.MinValue != kUnsignedMinDefault)
            hint += space + Word("от") + space + HexPadded(param.MinValue, param.MaxLen) +
                    QStringLiteral("(") + QString::number(param.MinValue) + QStringLiteral(")");
        if (param.MaxValue != kUnsignedMaxDefault)
            hint += space + Word("до") + space + HexPadded(param.MaxValue, param.MaxLen) +
                    QStringLiteral("(") + QString::number(param.MaxValue) + QStringLiteral(")");
        break;
    case pkOption:
        break;
    }
    return hint;
}

QString ParameterHint(const TCmdParameter& param) {
    return param.Description + QStringLiteral("\r\n") + ParameterRuleHint(param);
}
