#pragma once

#include <QDialog>

// "Установка связи": runs the command-mode entry loop while shown.
class TfmWaitingData : public QDialog {
    Q_OBJECT
public:
    explicit TfmWaitingData(QWidget* parent = nullptr);
    // True when the device was brought into command mode.
    bool RunConnectDialog();
};
