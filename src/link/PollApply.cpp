#include "app/Settings.h"
#include "app/TfmMain.h"
#include "link/ComPort.h"
#include "link/ValueGuard.h"
#include "pages/EditorAccess.h"

#include <QProgressBar>

namespace {

const TDevCommand* CommandAt(int page, int command) {
    if (page < 0 || page >= DevCommands.size())
        return nullptr;
    const TCmdPage& p = DevCommands[page];
    if (command < 0 || command >= p.Commands.size())
        return nullptr;
    return &p.Commands[command];
}

void StepProgress(QProgressBar* bar, int by) {
    if (bar)
        bar->setValue(bar->value() + by);
}

void StartProgress(QProgressBar* bar, int maximum) {
    if (!bar)
        return;
    bar->setMinimum(0);
    bar->setValue(0);
    bar->setMaximum(maximum);
}

void FinishProgress(QProgressBar* bar) {
    if (bar)
        bar->setValue(bar->maximum());
}

// A group greyed out as unsupported is skipped by the page operations. Its
// own enabled state counts, not the tab page's.
bool GroupUsable(const QWidget* group) {
    return group && group->isEnabledTo(group->parentWidget());
}

} // namespace

void TfmMain::CmdPollClick(QWidget* button) {
    if (!InCommandMode && !EnterCommandMode())
        return;
    PollCommand(ControlAddress(button));
}

void TfmMain::CmdApplyClick(QWidget* button) {
    if (!InCommandMode && !EnterCommandMode())
        return;
    const TCmdAddress address = ControlAddress(button);
    const TDevCommand* command = CommandAt(address.Page, address.Command);
    if (command && command->SetData)
        ApplyCommand(address);
}

void TfmMain::CmdPollAllClick(QWidget* button) {
    if (!InCommandMode && !EnterCommandMode())
        return;
    TCmdAddress address = ControlAddress(button);
    if (address.Page < 0 || address.Page >= DevCommands.size())
        return;
    const TCmdPage& page = DevCommands[address.Page];
    StartProgress(ProgressBar1, page.Commands.size());
    for (int c = 0; c < page.Commands.size(); ++c) {
        address.Command = c;
        address.Row = 0;
        address.Param = 0;
        const TDevCommand& command = page.Commands[c];
        if (!GroupUsable(FindControl(address.Page, c, 0, 0, crGroup)) || !command.PollData) {
            StepProgress(ProgressBar1, 1);
            continue;
        }
        if (!PollCommand(address)) {
            WriteLog(tr("Процесс прерван на команде") + QLatin1Char(' ') + command.CommandName,
                     lkGeneral);
            return;
        }
        StepProgress(ProgressBar1, 1);
    }
    FinishProgress(ProgressBar1);
}

void TfmMain::CmdApplyAllIndexedClick(QWidget* button) {
    if (!InCommandMode && !EnterCommandMode())
        return;
    TCmdAddress address = ControlAddress(button);
    const TDevCommand* command = CommandAt(address.Page, address.Command);
    if (!command || !command->SetData || !command->Indexed)
        return;
    StartProgress(ProgressBar1, command->MaxIndex);
    for (int r = 0; r < command->MaxIndex; ++r) {
        if (ProgressBar1)
            ProgressBar1->setValue(r);
        address.Row = r;
        address.Param = 0;
        if (!ApplyCommand(address)) {
            WriteLog(tr("Процесс прерван на индексе") + QLatin1Char(' ') + QString::number(r),
                     lkGeneral);
            return;
        }
    }
    FinishProgress(ProgressBar1);
}

void TfmMain::CmdApplyAllClick(QWidget* button) {
    if (!InCommandMode && !EnterCommandMode())
        return;
    TCmdAddress address = ControlAddress(button);
    if (address.Page < 0 || address.Page >= DevCommands.size())
        return;
    const TCmdPage& page = DevCommands[address.Page];
    int total = 0;
    for (const TDevCommand& command : page.Commands)
        total += command.RowCount();
    StartProgress(ProgressBar1, total);

    for (int c = 0; c < page.Commands.size(); ++c) {
        const TDevCommand& command = page.Commands[c];
        const int rows = command.RowCount();
        if (!GroupUsable(FindControl(address.Page, c, 0, 0, crGroup)) || !command.SetData ||
            command.GroupSetData == gsNo) {
            StepProgress(ProgressBar1, rows);
            continue;
        }
        for (int r = 0; r < rows; ++r) {
            int sent = 0;
            for (int p = 0; p < command.Parameters.size(); ++p) {
                if (!command.Parameters[p].Optional ||
                    SwitchChecked(FindControl(address.Page, c, r, p, crSwitch)))
                    ++sent;
            }
            if (command.GroupSetData == gsAuto && sent == 0) {
                StepProgress(ProgressBar1, 1);
                continue;
            }
            address.Command = c;
            address.Row = r;
            address.Param = 0;
            if (!ApplyCommand(address)) {
                WriteLog(tr("Процесс прерван на команде") + QLatin1Char(' ') + command.CommandName +
                             QLatin1Char('/') + QString::number(r),
                         lkGeneral);
                return;
            }
            StepProgress(ProgressBar1, 1);
        }
    }
    FinishProgress(ProgressBar1);
}

QString TfmMain::BuildParameterList(int page, int command, int row, int* unsafeParam) const {
    if (unsafeParam)
        *unsafeParam = -1;
    const TDevCommand* cmd = CommandAt(page, command);
    if (!cmd)
        return QString();
    QString text;
    if (cmd->Indexed)
        text = QString::number(row + 1) + QLatin1Char(',');
    for (int p = 0; p < cmd->Parameters.size(); ++p) {
        const TCmdParameter& param = cmd->Parameters[p];
        if (param.Optional && !SwitchChecked(FindControl(page, command, row, p, crSwitch))) {
            text += QLatin1Char(',');
            continue;
        }
        const QWidget* editor = FindControl(page, command, row, p, crEditor);
        QString value;
        switch (param.ParamKind) {
        case pkInteger:
        case pkString:
        case pkHex:
            value = EditorText(editor);
            break;
        case pkOption: {
            const int selected = SelectedOption(editor);
            if (selected >= 0 && selected < param.Options.size())
                value = param.Options[selected].OptionValue;
            break;
        }
        }
        if (unsafeParam && *unsafeParam < 0 && FirstControlChar(value) >= 0)
            *unsafeParam = p;
        text += value + QLatin1Char(',');
    }
    return text;
}

void TfmMain::Storesettingsintoflash1Click() {
    if ((!ComPort1->Connected() && !OpenPort()) || !InCommandMode)
        return;
    if (ApplyProfileCommand(QStringLiteral("+SAVE")))
        return;
    WriteLog(tr("Команда +SAVE не описана!"), lkGeneral);
    ExchangeCommand(QStringLiteral("AT+SAVE=") + Settings.ActivePassword + QLatin1Char(','),
                    QStringLiteral("AT+SAVE=*,"), false, false, true);
}
