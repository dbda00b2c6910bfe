#include "app/TfmMain.h"

bool TfmMain::OpenPort() { return false; }
bool TfmMain::EnterCommandMode() { return false; }
void TfmMain::LeaveCommandMode() {}
bool TfmMain::WaitForPort() { return false; }
void TfmMain::UpdateLinkStatus() {}
void TfmMain::PortIdleCheck() {}
void TfmMain::Connect1Click() { EnterCommandMode(); }
void TfmMain::Leavecommandmode1Click() { LeaveCommandMode(); }
