#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TDeviceLink;

// "Установка связи": runs the command-mode entry loop while shown.
class TfmWaitingData : public QDialog {
    Q_OBJECT
public:
    explicit TfmWaitingData(TDeviceLink* link, QWidget* parent = nullptr);
    // True when the device was brought into command mode.
    bool RunConnectDialog();

    QLabel* Label1 = nullptr;
    QPushButton* btnCancel = nullptr;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* e) override;
    void customEvent(QEvent* e) override;

private:
    void RunEntryLoop();
    TDeviceLink* FLink = nullptr;
    // The dialog's result as the entry loop sees it; -1 while none is set.
    int FModalResult = -1;
    bool FLoopRunning = false;
};
