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
