#include "app/TfmMain.h"

void TfmMain::Save1Click() {}
void TfmMain::SaveConfiguration(const QString&) {}
