#include "ParamValueTable.h"

#include <utility>

namespace {

// What a hex box keeps of a text: its hexadecimal digits in upper case, as
// many as it has positions.
QString HexBoxText(const TCmdParameter& param, const QString& text) {
    const int positions = HexValueDigits(param.MaxLen);
    QString digits;
    for (const QChar c : text) {
        if (digits.size() >= positions)
            break;
        const QChar upper = c.toUpper();
        if ((upper >= QLatin1Char('0') && upper <= QLatin1Char('9')) ||
            (upper >= QLatin1Char('A') && upper <= QLatin1Char('F')))
            digits += upper;
    }
    return digits;
}

QString DefaultText(const TCmdParameter& param) {
    if (param.ParamKind == pkHex)
        return HexBoxText(param, param.DefaultValue);
    if (param.ParamKind != pkInteger)
        return param.DefaultValue;
    bool ok = false;
    const int value = param.DefaultValue.trimmed().toInt(&ok);
    return QString::number(ok ? value : 0);
}

} // namespace

TParamValueTable::TParamValueTable() {
    Reset();
}

void TParamValueTable::Reset() {
    FPages.clear();
    for (const TCmdPage& page : DevCommands) {
        QVector<TCommandValues> commands;
        for (const TDevCommand& cmd : page.Commands) {
            TCommandValues values;
            for (int r = 0; r < cmd.RowCount(); ++r) {
                for (const TCmdParameter& param : cmd.Parameters) {
                    TValue v;
                    v.Enabled = true;
                    if (param.ParamKind == pkOption)
                        v.Option = DefaultOption(param);
                    else
                        v.Text = DefaultText(param);
                    values.Values.append(v);
                }
            }
            commands.append(values);
        }
        FPages.append(commands);
    }
}

const TParamValueTable::TValue* TParamValueTable::Find(const TCmdAddress& a) const {
    if (!ParameterAt(a) || a.Page >= FPages.size() || a.Command >= FPages[a.Page].size())
        return nullptr;
    const int count = DevCommands[a.Page].Commands[a.Command].Parameters.size();
    const QVector<TValue>& values = FPages[a.Page][a.Command].Values;
    const int index = a.Row * count + a.Param;
    return index < values.size() ? &values[index] : nullptr;
}

TParamValueTable::TValue* TParamValueTable::Find(const TCmdAddress& a) {
    if (!std::as_const(*this).Find(a))
        return nullptr;
    // Non-const indexing: a copied table gets values of its own before any change.
    const int count = DevCommands[a.Page].Commands[a.Command].Parameters.size();
    return &FPages[a.Page][a.Command].Values[a.Row * count + a.Param];
}

bool TParamValueTable::HasCommand(int page, int command) const {
    return page >= 0 && page < FPages.size() && command >= 0 && command < FPages[page].size();
}

bool TParamValueTable::CommandUsable(int page, int command) const {
    return HasCommand(page, command) && !FPages[page][command].Unsupported;
}

void TParamValueTable::MarkUnsupported(int page, int command) {
    if (HasCommand(page, command))
        FPages[page][command].Unsupported = true;
}

bool TParamValueTable::HasValue(const TCmdAddress& address) const {
    return Find(address) != nullptr;
}

bool TParamValueTable::HasSwitch(const TCmdAddress& address) const {
    const TCmdParameter* param = RowParameterAt(address);
    return param && param->Optional && Find(address);
}

bool TParamValueTable::ParameterEnabled(const TCmdAddress& address) const {
    const TCmdParameter* param = RowParameterAt(address);
    if (!param)
        return false;
    if (!param->Optional)
        return true;
    const TValue* v = Find(address);
    return v && v->Enabled;
}

void TParamValueTable::SetParameterEnabled(const TCmdAddress& address, bool on) {
    const TCmdParameter* param = RowParameterAt(address);
    if (TValue* v = Find(address); v && param->Optional) {
        v->Enabled = on;
        v->Held |= hpSwitch;
    }
}

int TParamValueTable::Held(const TCmdAddress& address) const {
    const TValue* v = Find(address);
    return v ? v->Held : 0;
}

QString TParamValueTable::WireText(const TCmdAddress& address) const {
    const TCmdParameter* param = RowParameterAt(address);
    const TValue* v = Find(address);
    if (!v)
        return QString();
    switch (param->ParamKind) {
    case pkInteger:
    case pkString:
    case pkHex:
        return v->Text;
    case pkOption:
        return v->Option >= 0 && v->Option < param->Options.size()
                   ? param->Options[v->Option].OptionValue
                   : QString();
    }
    return QString();
}

// Takes a value as an editor on a page would: the spin box keeps a number
// within its bounds and ignores anything else, the edit box cuts at its
// length, the hex box keeps its digits; so a file saved from this table holds
// the same bytes as one saved from the window after the same reads.
void TParamValueTable::SetWireText(const TCmdAddress& address, const QString& text) {
    const TCmdParameter* param = RowParameterAt(address);
    TValue* v = Find(address);
    if (!v)
        return;
    switch (param->ParamKind) {
    case pkInteger: {
        bool ok = false;
        const int number = text.trimmed().toInt(&ok);
        if (!ok)
            return;
        const int low = qint32(param->MinValue);
        const int high = qint32(param->MaxValue);
        v->Text = QString::number(low == high ? number : qBound(low, number, high));
        v->Held |= hpValue;
        return;
    }
    case pkString:
        v->Text = param->MaxLen > 0 ? text.left(param->MaxLen) : text;
        v->Held |= hpValue;
        return;
    case pkHex: {
        v->Text = HexBoxText(*param, text);
        // Text without a single digit is no value at all, though the box
        // shows it empty.
        if (!v->Text.isEmpty() || text.trimmed().isEmpty())
            v->Held |= hpValue;
        return;
    }
    case pkOption:
        // A value the list does not know leaves the selection as it is.
        for (int k = 0; k < param->Options.size(); ++k) {
            if (param->Options[k].OptionValue == text) {
                v->Option = k;
                v->Held |= hpValue;
                return;
            }
        }
        return;
    }
}

void TParamValueTable::SelectOption(const TCmdAddress& address, int option) {
    const TCmdParameter* param = RowParameterAt(address);
    TValue* v = Find(address);
    if (!v || param->ParamKind != pkOption)
        return;
    const bool known = option >= 0 && option < param->Options.size();
    v->Option = known ? option : -1;
    if (known)
        v->Held |= hpValue;
}
