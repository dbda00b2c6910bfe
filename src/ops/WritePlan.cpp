#include "WritePlan.h"

#include "profile/HeldValues.h"
#include "profile/ParamValues.h"

QVector<TCmdAddress> SourceRows(const TParamValues& source) {
    QVector<TCmdAddress> rows;
    for (int p = 0; p < DevCommands.size(); ++p) {
        const QVector<TDevCommand>& commands = DevCommands[p].Commands;
        for (int c = 0; c < commands.size(); ++c) {
            const TDevCommand& cmd = commands[c];
            if (!cmd.SetData || cmd.GroupSetData == gsNo || !source.CommandUsable(p, c))
                continue;
            for (int r = 0; r < cmd.RowCount(); ++r)
                if (HoldsRowValue(source, {p, c, r, 0}))
                    rows.append({p, c, r, 0});
        }
    }
    return rows;
}

bool SourceCoversRow(const TParamValues& source, const TCmdAddress& row) {
    const TDevCommand* cmd = CommandAt(row);
    for (int p = 0; cmd && p < cmd->Parameters.size(); ++p) {
        const TCmdAddress a{row.Page, row.Command, row.Row, p};
        const int held = source.Held(a);
        const bool switchedOff =
            cmd->Parameters[p].Optional && (held & hpSwitch) && !source.ParameterEnabled(a);
        if (!(held & hpValue) && !switchedOff)
            return false;
    }
    return cmd != nullptr;
}

bool MergeRow(const TParamValues& source, const TParamValues& tracker, const TCmdAddress& row,
              TParamValues& out, TCmdAddress* missing) {
    const TDevCommand* cmd = CommandAt(row);
    if (!cmd)
        return false;
    for (int p = 0; p < cmd->Parameters.size(); ++p) {
        const TCmdParameter& param = cmd->Parameters[p];
        const TCmdAddress a{row.Page, row.Command, row.Row, p};
        const int held = source.Held(a);
        // The tracker keeps no switches: its values count as switched on.
        bool on = !param.Optional || !(held & hpSwitch) || source.ParameterEnabled(a);
        const TParamValues* from = nullptr;
        if (held & hpValue)
            from = &source;
        else if (tracker.Held(a) & hpValue)
            from = &tracker;
        if (!from && on) {
            if (!param.Optional) {
                if (missing)
                    *missing = a;
                return false;
            }
            on = false;
        }
        if (param.Optional)
            out.SetParameterEnabled(a, on);
        if (from)
            out.SetWireText(a, from->WireText(a));
    }
    return true;
}
