#include "HeldValues.h"

bool HoldsCommand(const TParamValues& values, int page, int command) {
    const TDevCommand* cmd = CommandAt(page, command);
    if (!cmd)
        return false;
    for (int r = 0; r < cmd->RowCount(); ++r)
        for (int p = 0; p < cmd->Parameters.size(); ++p)
            if (values.Held({page, command, r, p}) != 0)
                return true;
    return false;
}

bool HoldsRowValue(const TParamValues& values, const TCmdAddress& row) {
    const TDevCommand* cmd = CommandAt(row);
    if (!cmd)
        return false;
    for (int p = 0; p < cmd->Parameters.size(); ++p)
        if (values.Held({row.Page, row.Command, row.Row, p}) & hpValue)
            return true;
    return false;
}

bool HoldsWholeAnswer(const TParamValues& values, int page, int command) {
    const TDevCommand* cmd = CommandAt(page, command);
    if (!cmd)
        return false;
    for (int r = 0; r < cmd->RowCount(); ++r)
        for (int p = 0; p < cmd->Parameters.size(); ++p)
            if (cmd->Parameters[p].Overwrite && !(values.Held({page, command, r, p}) & hpValue))
                return false;
    return true;
}

void CopyHeldCommand(const TParamValues& from, TParamValues& to, const TCmdAddress& command,
                     bool withSwitches) {
    const TDevCommand* cmd = CommandAt(command);
    if (!cmd)
        return;
    if (!from.CommandUsable(command.Page, command.Command))
        to.MarkUnsupported(command.Page, command.Command);
    for (int r = 0; r < cmd->RowCount(); ++r)
        for (int p = 0; p < cmd->Parameters.size(); ++p) {
            const TCmdAddress a{command.Page, command.Command, r, p};
            const int held = from.Held(a);
            if (withSwitches && (held & hpSwitch))
                to.SetParameterEnabled(a, from.ParameterEnabled(a));
            if (held & hpValue)
                to.SetWireText(a, from.WireText(a));
        }
}

void CopyHeld(const TParamValues& from, TParamValues& to, bool withSwitches) {
    for (int page = 0; page < DevCommands.size(); ++page)
        for (int c = 0; c < DevCommands[page].Commands.size(); ++c)
            if (HoldsCommand(from, page, c) || !from.CommandUsable(page, c))
                CopyHeldCommand(from, to, {page, c, 0, 0}, withSwitches);
}
