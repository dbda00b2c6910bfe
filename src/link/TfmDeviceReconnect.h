#pragma once

#include <QDialog>

// "Ожидание устройства": retries opening the port every few seconds.
class TfmDeviceReconnect : public QDialog {
    Q_OBJECT
public:
    explicit TfmDeviceReconnect(QWidget* parent = nullptr);
};
