#include "app/TfmMain.h"

void TfmMain::Load1Click() {}
void TfmMain::LoadConfiguration(const QString&) {}
