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

const TDevCommand* ProfileCommand(const TCmdAddress& address) {
    if (address.Page < 0 || address.Page >= DevCommands.size())
        return nullptr;
    const TCmdPage& page = DevCommands[address.Page];
    if (address.Command < 0 || address.Command >= page.Commands.size())
        return nullptr;
    return &page.Commands[address.Command];
}

const TCmdParameter* ProfileParameter(const TCmdAddress& address) {
    const TDevCommand* command = ProfileCommand(address);
    if (!command || address.Param < 0 || address.Param >= command->Parameters.size() ||
        address.Row < 0 || address.Row >= qMax(1, command->RowCount()))
        return nullptr;
    return &command->Parameters[address.Param];
}
