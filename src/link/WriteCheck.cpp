#include "WriteCheck.h"

#include "LinkHost.h"
#include "profile/ParamValues.h"
#include "profile/WireValue.h"

#include <QCoreApplication>

namespace {
constexpr char kContext[] = "TWriteCheck";
} // namespace

void TWriteCheck::Begin(const TParamValues* values, const TCmdAddress& address) {
    FActive = false;
    FSent.clear();
    FValues.clear();
    const TDevCommand* command = CommandAt(address);
    if (!values || !command)
        return;
    FRow = address;
    FRow.Param = 0;
    for (int p = 0; p < command->Parameters.size(); ++p) {
        const TCmdAddress at{address.Page, address.Command, address.Row, p};
        FSent.append(values->HasValue(at) && values->ParameterEnabled(at));
        FValues.append(values->WireText(at));
    }
    FActive = true;
}

bool TWriteCheck::Take(const TCmdAddress& address, const QString& held, TLinkHost& host) {
    if (!FActive || address.Page != FRow.Page || address.Command != FRow.Command ||
        address.Row != FRow.Row || address.Param < 0 || address.Param >= FSent.size() ||
        !FSent[address.Param])
        return true;
    const TDevCommand* command = CommandAt(address);
    const TCmdParameter* param = RowParameterAt(address);
    const QString& sent = FValues[address.Param];
    if (!command || !param || SameWireValue(*param, sent, held))
        return true;
    FNotTaken.append({address, sent, held});
    host.WriteLog(NotTakenMessage(FNotTaken.constLast()), lkGeneral);
    return false;
}

QString NotTakenMessage(const TNotTaken& value) {
    const TDevCommand* command = CommandAt(value.Address);
    const TCmdParameter* param = RowParameterAt(value.Address);
    if (!command || !param)
        return QString();
    const QString row =
        command->Indexed ? QLatin1Char(' ') + RowCaption(*command, value.Address.Row) : QString();
    return QCoreApplication::translate(kContext,
                                       "Трекер не принял значение: %1%2, %3: отправлено \"%4\", "
                                       "в трекере \"%5\"")
        .arg(command->CommandName, row, param->Description, value.Sent, value.Held);
}

void TWriteCheck::Unconfirmed(const TCmdAddress& address, const TDevCommand& command,
                              TLinkHost& host) {
    TCmdAddress row = address;
    row.Param = 0;
    FNotConfirmed.append(row);
    const QString caption =
        command.Indexed ? QLatin1Char(' ') + RowCaption(command, address.Row) : QString();
    host.WriteLog(QCoreApplication::translate(kContext, "Трекер не подтвердил запись: %1%2")
                      .arg(command.CommandName, caption),
                  lkGeneral);
}

QString TWriteCheck::Summary() const {
    return QCoreApplication::translate(
               kContext, "Запись окончена, не принято трекером значений: %1, не подтверждено: %2")
        .arg(FNotTaken.size())
        .arg(FNotConfirmed.size());
}
