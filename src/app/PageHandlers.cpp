#include "TfmMain.h"

// The page buttons and the link menu: the window only finds the address of
// the button pressed, the link does the work.

void TfmMain::CmdPollClick(QWidget* button) {
    RunMarked([this, button] { Link->PollOne(Pages->ControlAddress(button)); }, false);
}

void TfmMain::CmdApplyClick(QWidget* button) {
    RunMarked([this, button] { Link->ApplyOne(Pages->ControlAddress(button)); }, true);
}

void TfmMain::CmdPollAllClick(QWidget* button) {
    if (!Link->InCommandMode && !Link->EnterCommandMode())
        return;
    RunMarked([this, button] { Link->PollPage(Pages->ControlAddress(button).Page); }, false);
}

void TfmMain::CmdApplyAllIndexedClick(QWidget* button) {
    if (!Link->InCommandMode && !Link->EnterCommandMode())
        return;
    const TCmdAddress address = Pages->ControlAddress(button);
    RunMarked([this, address] { Link->ApplyAllIndexed(address.Page, address.Command); }, true);
}

void TfmMain::CmdApplyAllClick(QWidget* button) {
    if (!Link->InCommandMode && !Link->EnterCommandMode())
        return;
    RunMarked([this, button] { Link->ApplyPage(Pages->ControlAddress(button).Page); }, true);
}

void TfmMain::Connect1Click() {
    Link->EnterCommandMode();
}

void TfmMain::Leavecommandmode1Click() {
    Link->LeaveCommandMode();
}

void TfmMain::Storesettingsintoflash1Click() {
    Link->StoreToFlash();
}
