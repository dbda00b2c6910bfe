#include "ValueDiff.h"

#include "profile/TouchRecorder.h"
#include "profile/WireValue.h"

TValueDiff CompareValues(const TParamValues& pages, const TParamValues& other,
                         const TTouchRecorder& touched, TDiffSwitches switches) {
    TValueDiff diff;
    for (const TCmdAddress& a : touched.Touched()) {
        const TCmdParameter* param = ProfileParameter(a);
        if (!param || !pages.HasValue(a) || !pages.CommandUsable(a.Page, a.Command))
            continue;
        const int touches = touched.Touches(a);
        const bool pageOn = pages.ParameterEnabled(a);
        const bool otherOn = other.ParameterEnabled(a);
        TValueDiffRow row;
        row.Address = a;
        row.PageValue = pages.WireText(a);
        row.OtherValue = other.WireText(a);
        row.PageEnabled = pageOn;
        row.OtherEnabled = otherOn;
        row.OtherHasValue = (touches & TTouchRecorder::tcValue) != 0;

        bool differs = false;
        if (switches == dsCompare) {
            const bool switchKnown = (touches & TTouchRecorder::tcSwitch) || !param->Optional;
            if (switchKnown && pageOn != otherOn) {
                differs = true;
            } else if (pageOn && otherOn && row.OtherHasValue) {
                differs = !SameWireValue(*param, row.PageValue, row.OtherValue);
            } else if (!switchKnown && !row.OtherHasValue) {
                continue;
            }
        } else {
            // The tracker keeps a value whatever the pages' switch shows; a
            // parameter switched off here is not sent, so not compared.
            if (!pageOn || !row.OtherHasValue)
                continue;
            row.OtherEnabled = true;
            differs = !SameWireValue(*param, row.PageValue, row.OtherValue);
        }
        ++diff.Compared;
        if (differs)
            diff.Rows.append(row);
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

QVector<TCmdAddress> CommandRowsOf(const QVector<TValueDiffRow>& rows) {
    QVector<TCmdAddress> out;
    for (const TValueDiffRow& row : rows) {
        TCmdAddress a = row.Address;
        a.Param = 0;
        bool seen = false;
        for (const TCmdAddress& o : out)
            seen = seen || (o.Page == a.Page && o.Command == a.Command && o.Row == a.Row);
        if (!seen)
            out.append(a);
    }
    return out;
}
