#include "TfmMain.h"
#include "ops/ResultWords.h"
#include "register/TrackerRecorder.h"

// The page buttons and the link menu: the window only finds the address of
// the button pressed, the link does the work; the register records it.

namespace {

// The commands "Применить страницу" writes.
QVector<TCmdAddress> PageWriteCommands(const TParameterPages& pages, int page) {
    QVector<TCmdAddress> commands;
    if (page < 0 || page >= DevCommands.size())
        return commands;
    for (int c = 0; c < DevCommands[page].Commands.size(); ++c) {
        const TDevCommand& cmd = DevCommands[page].Commands[c];
        if (pages.CommandUsable(page, c) && cmd.SetData && cmd.GroupSetData != gsNo)
            commands.append({page, c, 0, 0});
    }
    return commands;
}

} // namespace

void TfmMain::CmdPollClick(QWidget* button) {
    const TCmdAddress address = Pages->ControlAddress(button);
    RunRecordedRead([this, address] { return Link->PollOne(address); });
}

void TfmMain::CmdApplyClick(QWidget* button) {
    const TCmdAddress address = Pages->ControlAddress(button);
    RunRecordedWrite({address}, [this, address] { return Link->ApplyOne(address); });
}

void TfmMain::CmdPollAllClick(QWidget* button) {
    if (!Link->InCommandMode && !Link->EnterCommandMode())
        return;
    const int page = Pages->ControlAddress(button).Page;
    RunRecordedRead([this, page] { return Link->PollPage(page); });
}

void TfmMain::CmdApplyAllIndexedClick(QWidget* button) {
    if (!Link->InCommandMode && !Link->EnterCommandMode())
        return;
    const TCmdAddress address = Pages->ControlAddress(button);
    RunRecordedWrite({address}, [this, address] {
        return Link->ApplyAllIndexed(address.Page, address.Command);
    });
}

void TfmMain::CmdApplyAllClick(QWidget* button) {
    if (!Link->InCommandMode && !Link->EnterCommandMode())
        return;
    const int page = Pages->ControlAddress(button).Page;
    RunRecordedWrite(PageWriteCommands(*Pages, page),
                     [this, page] { return Link->ApplyPage(page); });
}

void TfmMain::Connect1Click() {
    Link->EnterCommandMode();
}

void TfmMain::Leavecommandmode1Click() {
    Link->LeaveCommandMode();
}

void TfmMain::Storesettingsintoflash1Click() {
    if (Link->InCommandMode)
        PrepareRecording();
    const TFlashStore stored = Link->StoreToFlash();
    if (stored != fsNoCommandMode && FRecorder)
        LogRecord(FRecorder->RecordStore(*Link, stored == fsStored ? kResultOk : kResultNotStored)
                      .Message());
}
