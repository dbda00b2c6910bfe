#include "ValueDiff.h"

#include "profile/WireValue.h"

namespace {

void CompareOne(const TParamValues& pages, const TParamValues& other, const TCmdAddress& a,
                TDiffSwitches switches, TValueDiff& diff) {
    const TCmdParameter* param = RowParameterAt(a);
    const int held = other.Held(a);
    if (!param || held == 0 || !(pages.Held(a) & hpValue) || !pages.HasValue(a))
        return;
    const bool pageOn = pages.ParameterEnabled(a);
    const bool otherOn = other.ParameterEnabled(a);
    TValueDiffRow row;
    row.Address = a;
    row.PageValue = pages.WireText(a);
    row.OtherValue = other.WireText(a);
    row.PageEnabled = pageOn;
    row.OtherEnabled = otherOn;
    row.OtherHasValue = (held & hpValue) != 0;

    bool differs = false;
    if (switches == dsCompare) {
        const bool switchKnown = (held & hpSwitch) || !param->Optional;
        if (switchKnown && pageOn != otherOn) {
            differs = true;
        } else if (pageOn && otherOn && row.OtherHasValue) {
            differs = !SameWireValue(*param, row.PageValue, row.OtherValue);
        } else if (!switchKnown && !row.OtherHasValue) {
            return;
        }
    } else {
        // The tracker keeps a value whatever the pages' switch shows; a
        // parameter switched off here is not sent, so not compared.
        if (!pageOn || !row.OtherHasValue)
            return;
        row.OtherEnabled = true;
        differs = !SameWireValue(*param, row.PageValue, row.OtherValue);
    }
    ++diff.Compared;
    if (differs)
        diff.Rows.append(row);
}

} // namespace

TValueDiff CompareValues(const TParamValues& pages, const TParamValues& other,
                         TDiffSwitches switches) {
    TValueDiff diff;
    for (int p = 0; p < DevCommands.size(); ++p) {
        const QVector<TDevCommand>& commands = DevCommands[p].Commands;
        for (int c = 0; c < commands.size(); ++c) {
            if (!pages.CommandUsable(p, c))
                continue;
            const TDevCommand& cmd = commands[c];
            for (int r = 0; r < cmd.RowCount(); ++r)
                for (int k = 0; k < cmd.Parameters.size(); ++k)
                    CompareOne(pages, other, {p, c, r, k}, switches, diff);
        }
    }
    return diff;
}

void TransferValues(const QVector<TValueDiffRow>& rows, TParamValues& pages) {
    for (const TValueDiffRow& row : rows) {
        if (pages.HasSwitch(row.Address) && pages.ParameterEnabled(row.Address) != row.OtherEnabled)
            pages.SetParameterEnabled(row.Address, row.OtherEnabled);
        if (row.OtherHasValue && row.OtherEnabled)
            pages.SetWireText(row.Address, row.OtherValue);
    }
}
