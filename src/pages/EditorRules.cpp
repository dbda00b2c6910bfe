#include "app/TfmMain.h"

void TfmMain::CheckBoxClick(QCheckBox*) {}
void TfmMain::EditChange(QLineEdit*) {}
bool TfmMain::EditExit(QLineEdit*) { return true; }
bool TfmMain::HexEditKeyPress(QChar&) { return true; }
bool TfmMain::HexEditExit(THexEdit*) { return true; }
bool TfmMain::MaskMatches(const QString&, const QString&) { return true; }
