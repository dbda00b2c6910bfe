#include "app/TfmMain.h"

void TfmMain::DefaultProcessor(int, int, int, int, const QString&) {}
void TfmMain::NonPollProcessor(int, int, int, int, const QString&) {}
void TfmMain::ExitCmdProcessor(int, int, int, int, const QString&) {}
void TfmMain::RegisterProcessors() {}
