#include "TfmDeviceReconnect.h"

TfmDeviceReconnect::TfmDeviceReconnect(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Ожидание устройства"));
}
