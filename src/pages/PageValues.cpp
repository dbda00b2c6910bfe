#include "EditorAccess.h"
#include "ParameterPages.h"

#include <QGroupBox>
#include <QTabWidget>

TParameterPages::TParameterPages(QTabWidget* pageControl, QObject* parent)
    : QObject(parent), PageControl1(pageControl) {
    setObjectName(QStringLiteral("ParameterPages"));
}

void TParameterPages::WriteLog(const QString& text, LogKind kind) {
    if (OnLog)
        OnLog(text, kind);
}

namespace {

const TCmdParameter* ParameterAt(const TCmdAddress& a) {
    if (a.Page < 0 || a.Page >= DevCommands.size())
        return nullptr;
    const TCmdPage& page = DevCommands[a.Page];
    if (a.Command < 0 || a.Command >= page.Commands.size())
        return nullptr;
    const TDevCommand& cmd = page.Commands[a.Command];
    if (a.Param < 0 || a.Param >= cmd.Parameters.size())
        return nullptr;
    return &cmd.Parameters[a.Param];
}

} // namespace

bool TParameterPages::HasCommand(int page, int command) const {
    return FindControl(page, command, 0, 0, crGroup) != nullptr;
}

bool TParameterPages::CommandUsable(int page, int command) const {
    // The group's own state counts, not that of its tab page.
    const QWidget* group = FindControl(page, command, 0, 0, crGroup);
    return group && group->isEnabledTo(group->parentWidget());
}

void TParameterPages::MarkUnsupported(int page, int command) {
    if (auto* group = qobject_cast<QGroupBox*>(FindControl(page, command, 0, 0, crGroup)))
        SetCommandEnabled(group, false);
}

bool TParameterPages::HasValue(const TCmdAddress& address) const {
    return Control(address, crEditor) != nullptr;
}

bool TParameterPages::HasSwitch(const TCmdAddress& address) const {
    return Control(address, crSwitch) != nullptr;
}

bool TParameterPages::ParameterEnabled(const TCmdAddress& address) const {
    const TCmdParameter* param = ParameterAt(address);
    if (!param)
        return false;
    return !param->Optional || SwitchChecked(Control(address, crSwitch));
}

void TParameterPages::SetParameterEnabled(const TCmdAddress& address, bool on) {
    SetSwitchChecked(Control(address, crSwitch), on);
}

QString TParameterPages::WireText(const TCmdAddress& address) const {
    const TCmdParameter* param = ParameterAt(address);
    if (!param)
        return QString();
    const QWidget* editor = Control(address, crEditor);
    if (param->ParamKind != pkOption)
        return EditorText(editor);
    const int selected = SelectedOption(editor);
    return selected >= 0 && selected < param->Options.size() ? param->Options[selected].OptionValue
                                                             : QString();
}

void TParameterPages::SetWireText(const TCmdAddress& address, const QString& text) {
    const TCmdParameter* param = ParameterAt(address);
    QWidget* editor = Control(address, crEditor);
    if (!param || !editor)
        return;
    if (param->ParamKind != pkOption) {
        ::SetEditorText(editor, text);
        return;
    }
    for (int k = 0; k < param->Options.size(); ++k) {
        if (param->Options[k].OptionValue == text) {
            ::SelectOption(editor, k);
            return;
        }
    }
}

void TParameterPages::SelectOption(const TCmdAddress& address, int option) {
    ::SelectOption(Control(address, crEditor), option);
}
