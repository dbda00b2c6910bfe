#include "app/TfmMain.h"

void TfmMain::BuildPages() {}
