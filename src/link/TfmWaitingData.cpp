#include "TfmWaitingData.h"

TfmWaitingData::TfmWaitingData(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Установка связи"));
}

bool TfmWaitingData::RunConnectDialog() { return false; }
