#include "TfmDeviceInfo.h"

TfmDeviceInfo::TfmDeviceInfo(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Состояние устройства"));
}

void TfmDeviceInfo::ShowConnectionState(const QString&, const QString&, bool, bool) {}
