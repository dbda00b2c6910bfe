#pragma once

#include <QDialog>

// "Состояние устройства": the live status stream.
class TfmDeviceInfo : public QDialog {
    Q_OBJECT
public:
    explicit TfmDeviceInfo(QWidget* parent = nullptr);
    void ShowConnectionState(const QString& portName, const QString& speed, bool portOpen,
                             bool inCommandMode);
};
