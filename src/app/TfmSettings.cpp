#include "TfmSettings.h"

TfmSettings::TfmSettings(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Настройки программы"));
}
