#include "WireValue.h"

#include <QCoreApplication>

namespace {

bool ParseNumber(const QString& text, int base, qint64& value) {
    bool ok = false;
    value = text.trimmed().toLongLong(&ok, base);
    return ok;
}

} // namespace

bool SameWireValue(const TCmdParameter& param, const QString& a, const QString& b) {
    if (a == b)
        return true;
    if (param.ParamKind == pkInteger || param.ParamKind == pkHex) {
        const int base = param.ParamKind == pkHex ? 16 : 10;
        qint64 x = 0;
        qint64 y = 0;
        return ParseNumber(a, base, x) && ParseNumber(b, base, y) && x == y;
    }
    return false;
}

QString DisplayWireValue(const TCmdParameter& param, const QString& wire, bool enabled) {
    if (!enabled)
        return QCoreApplication::translate("TWireValue", "выключен");
    if (param.ParamKind == pkOption)
        for (const TCmdOption& option : param.Options)
            if (option.OptionValue == wire)
                return option.OptionText;
    return wire;
}

QString RowCaption(const TDevCommand& command, int row) {
    return command.Indexed ? QStringLiteral("#") + QString::number(row + 1) : QString();
}
