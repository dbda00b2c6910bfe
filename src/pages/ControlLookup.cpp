#include "app/TfmMain.h"

TCmdAddress TfmMain::ControlAddress(const QObject*) const { return {}; }
QWidget* TfmMain::FindControl(int, int, int, int, ControlRole) const { return nullptr; }
void TfmMain::SetCommandEnabled(QGroupBox*, bool) {}
