#include "DeviceLink.h"
#include "ValueGuard.h"
#include "profile/ParamValues.h"

#include "base/Translate.h"

bool TDeviceLink::PollOne(const TCmdAddress& address) {
    if (!InCommandMode && !EnterCommandMode())
        return false;
    return PollCommand(address);
}

bool TDeviceLink::ApplyOne(const TCmdAddress& address) {
    if (!InCommandMode && !EnterCommandMode())
        return false;
    const TDevCommand* command = CommandAt(address.Page, address.Command);
    if (command && command->SetData)
        return ApplyCommand(address);
    return false;
}

bool TDeviceLink::PollPage(int pageIndex) {
    if (!InCommandMode && !EnterCommandMode())
        return false;
    if (pageIndex < 0 || pageIndex >= DevCommands.size())
        return false;
    const TCmdPage& page = DevCommands[pageIndex];
    FHost->ProgressStart(page.Commands.size());
    TCmdAddress address{pageIndex, 0, 0, 0};
    for (int c = 0; c < page.Commands.size(); ++c) {
        address.Command = c;
        address.Row = 0;
        address.Param = 0;
        const TDevCommand& command = page.Commands[c];
        // A command greyed out as unsupported is skipped.
        if (!FValues || !FValues->CommandUsable(pageIndex, c) || !command.PollData) {
            FHost->ProgressStep(1);
            continue;
        }
        if (!PollCommand(address)) {
            WriteLog(TrMain("Процесс прерван на команде") + QLatin1Char(' ') + command.CommandName,
                     lkGeneral);
            return false;
        }
        FHost->ProgressStep(1);
    }
    FHost->ProgressFinish();
    return true;
}

bool TDeviceLink::ApplyAllIndexed(int page, int commandIndex) {
    if (!InCommandMode && !EnterCommandMode())
        return false;
    const TDevCommand* command = CommandAt(page, commandIndex);
    if (!command || !command->SetData || !command->Indexed)
        return false;
    FHost->ProgressStart(command->MaxIndex);
    WriteCheck.Reset();
    TCmdAddress address{page, commandIndex, 0, 0};
    for (int r = 0; r < command->MaxIndex; ++r) {
        FHost->ProgressSetValue(r);
        address.Row = r;
        address.Param = 0;
        if (!ApplyCommand(address)) {
            WriteLog(TrMain("Процесс прерван на индексе") + QLatin1Char(' ') + QString::number(r),
                     lkGeneral);
            WriteLog(WriteCheck.Summary(), lkGeneral);
            return false;
        }
    }
    FHost->ProgressFinish();
    WriteLog(WriteCheck.Summary(), lkGeneral);
    return true;
}

bool TDeviceLink::ApplyPage(int pageIndex) {
    if (!InCommandMode && !EnterCommandMode())
        return false;
    if (pageIndex < 0 || pageIndex >= DevCommands.size())
        return false;
    const TCmdPage& page = DevCommands[pageIndex];
    int total = 0;
    for (const TDevCommand& command : page.Commands)
        total += command.RowCount();
    FHost->ProgressStart(total);
    WriteCheck.Reset();

    TCmdAddress address{pageIndex, 0, 0, 0};
    for (int c = 0; c < page.Commands.size(); ++c) {
        const TDevCommand& command = page.Commands[c];
        const int rows = command.RowCount();
        if (!FValues || !FValues->CommandUsable(pageIndex, c) || !command.SetData ||
            command.GroupSetData == gsNo) {
            FHost->ProgressStep(rows);
            continue;
        }
        for (int r = 0; r < rows; ++r) {
            if (command.GroupSetData == gsAuto &&
                SentParameterCount(*FValues, TCmdAddress{pageIndex, c, r, 0}) == 0) {
                FHost->ProgressStep(1);
                continue;
            }
            address.Command = c;
            address.Row = r;
            address.Param = 0;
            if (!ApplyCommand(address)) {
                WriteLog(TrMain("Процесс прерван на команде") + QLatin1Char(' ') +
                             command.CommandName + QLatin1Char('/') + QString::number(r),
                         lkGeneral);
                WriteLog(WriteCheck.Summary(), lkGeneral);
                return false;
            }
            FHost->ProgressStep(1);
        }
    }
    FHost->ProgressFinish();
    WriteLog(WriteCheck.Summary(), lkGeneral);
    return true;
}

int SentParameterCount(const TParamValues& values, const TCmdAddress& row) {
    const TDevCommand* command = CommandAt(row);
    int sent = 0;
    for (int p = 0; command && p < command->Parameters.size(); ++p)
        if (!command->Parameters[p].Optional ||
            values.ParameterEnabled({row.Page, row.Command, row.Row, p}))
            ++sent;
    return sent;
}

QString TDeviceLink::BuildParameterList(int page, int command, int row,
                                        TUnsafeValue* unsafe) const {
    if (unsafe)
        *unsafe = TUnsafeValue();
    const TDevCommand* cmd = CommandAt(page, command);
    if (!cmd)
        return QString();
    QString text;
    if (cmd->Indexed)
        text = QString::number(row + 1) + QLatin1Char(',');
    for (int p = 0; p < cmd->Parameters.size(); ++p) {
        const TCmdParameter& param = cmd->Parameters[p];
        const TCmdAddress at{page, command, row, p};
        if (param.Optional && !(FValues && FValues->ParameterEnabled(at))) {
            text += QLatin1Char(',');
            continue;
        }
        const QString value = FValues ? FValues->WireText(at) : QString();
        if (unsafe && unsafe->Param < 0) {
            const TUnsafeKind kind = UnsafeValueKind(value);
            if (kind != ukNone)
                *unsafe = TUnsafeValue{p, kind};
        }
        text += value + QLatin1Char(',');
    }
    return text;
}
