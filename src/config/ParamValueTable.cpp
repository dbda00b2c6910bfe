#include "ParamValueTable.h"

#include "ConfigValueRules.h"

#include <QRegularExpression>

namespace {

constexpr int kOptionFallbackIndex = 1; // the second item, when no value matches

const TCmdParameter* ParameterAt(const TCmdAddress& a) {
    if (a.Page < 0 || a.Page >= DevCommands.size())
        return nullptr;
    const TCmdPage& page = DevCommands[a.Page];
    if (a.Command < 0 || a.Command >= page.Commands.size())
        return nullptr;
    const TDevCommand& cmd = page.Commands[a.Command];
    if (a.Param < 0 || a.Param >= cmd.Parameters.size() || a.Row < 0 || a.Row >= cmd.RowCount())
        return nullptr;
    return &cmd.Parameters[a.Param];
}

// The editor a fresh page shows for the parameter.
int DefaultOption(const TCmdParameter& param) {
    for (int i = 0; i < param.Options.size(); ++i)
        if (param.Options[i].OptionValue == param.DefaultValue)
            return i;
    return param.Options.size() > kOptionFallbackIndex ? kOptionFallbackIndex : -1;
}

QString DefaultText(const TCmdParameter& param) {
    if (param.ParamKind != pkInteger)
        return param.DefaultValue;
    bool ok = false;
    const int value = param.DefaultValue.trimmed().toInt(&ok);
    return QString::number(ok ? value : 0);
}

bool MaskMatchesText(const QString& mask, const QString& text) {
    const QRegularExpression re(mask);
    // A broken mask must not lock the value: it lets everything through.
    return !re.isValid() || re.match(text).hasMatch();
}

} // namespace

TParamValueTable::TParamValueTable() {
    Reset();
}

void TParamValueTable::Reset() {
    FPages.clear();
    FMessages.clear();
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
    return const_cast<TValue*>(static_cast<const TParamValueTable*>(this)->Find(a));
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
    const TCmdParameter* param = ParameterAt(address);
    return param && param->Optional && Find(address);
}

bool TParamValueTable::ParameterEnabled(const TCmdAddress& address) const {
    const TCmdParameter* param = ParameterAt(address);
    if (!param)
        return false;
    if (!param->Optional)
        return true;
    const TValue* v = Find(address);
    return v && v->Enabled;
}

void TParamValueTable::SetParameterEnabled(const TCmdAddress& address, bool on) {
    const TCmdParameter* param = ParameterAt(address);
    if (TValue* v = Find(address); v && param->Optional)
        v->Enabled = on;
}

QString TParamValueTable::WireText(const TCmdAddress& address) const {
    const TCmdParameter* param = ParameterAt(address);
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

void TParamValueTable::SetWireText(const TCmdAddress& address, const QString& text) {
    const TCmdParameter* param = ParameterAt(address);
    TValue* v = Find(address);
    if (!v)
        return;
    TConfigValue value;
    switch (param->ParamKind) {
    case pkInteger:
        value = IntegerConfigValue(*param, text);
        break;
    case pkHex:
        value = HexConfigValue(*param, text);
        break;
    case pkString:
        value = StringConfigValue(*param, text,
                                  param->OnLeaveMask.isEmpty() ||
                                      MaskMatchesText(param->OnLeaveMask, text));
        break;
    default:
        return;
    case pkOption:
        // A value the list does not know leaves the selection as it is.
        for (int k = 0; k < param->Options.size(); ++k) {
            if (param->Options[k].OptionValue == text) {
                v->Option = k;
                break;
            }
        }
        return;
    }
    FMessages << value.Messages;
    v->Text = value.Text;
}

void TParamValueTable::SelectOption(const TCmdAddress& address, int option) {
    const TCmdParameter* param = ParameterAt(address);
    TValue* v = Find(address);
    if (v && param->ParamKind == pkOption)
        v->Option = option >= 0 && option < param->Options.size() ? option : -1;
}

QStringList TParamValueTable::TakeMessages() {
    QStringList messages;
    messages.swap(FMessages);
    return messages;
}
