#include "app/TfmMain.h"

void TfmMain::CmdPollClick(QWidget*) {}
void TfmMain::CmdPollAllClick(QWidget*) {}
void TfmMain::CmdApplyClick(QWidget*) {}
void TfmMain::CmdApplyAllIndexedClick(QWidget*) {}
void TfmMain::CmdApplyAllClick(QWidget*) {}
QString TfmMain::BuildParameterList(int, int, int) const { return {}; }
void TfmMain::Storesettingsintoflash1Click() {}
