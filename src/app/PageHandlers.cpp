#include "TfmMain.h"

// The page buttons and the link menu: the window only finds the address of
// the button pressed, the link does the work.

void TfmMain::CmdPollClick(QWidget* button) {
    Link->PollOne(Pages->ControlAddress(button));
}

void TfmMain::CmdApplyClick(QWidget* button) {
    Link->ApplyOne(Pages->ControlAddress(button));
}

void TfmMain::CmdPollAllClick(QWidget* button) {
    if (!Link->InCommandMode && !Link->EnterCommandMode())
        return;
    Link->PollPage(Pages->ControlAddress(button).Page);
}

void TfmMain::CmdApplyAllIndexedClick(QWidget* button) {
    if (!Link->InCommandMode && !Link->EnterCommandMode())
        return;
    const TCmdAddress address = Pages->ControlAddress(button);
    Link->ApplyAllIndexed(address.Page, address.Command);
}

void TfmMain::CmdApplyAllClick(QWidget* button) {
    if (!Link->InCommandMode && !Link->EnterCommandMode())
        return;
    Link->ApplyPage(Pages->ControlAddress(button).Page);
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
