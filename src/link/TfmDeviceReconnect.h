#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;
class TDeviceLink;

// "Ожидание устройства": retries opening the port every few seconds.
class TfmDeviceReconnect : public QDialog {
    Q_OBJECT
public:
    explicit TfmDeviceReconnect(TDeviceLink* link, QWidget* parent = nullptr);

    QLabel* lblMessage = nullptr;
    QLabel* lblRetryInterval = nullptr;
    QPushButton* btnRetryNow = nullptr;
    QPushButton* btnCancel = nullptr;
    QTimer* tmWaitInterval = nullptr;

    int Countdown() const { return FCountdown; }

protected:
    void showEvent(QShowEvent* e) override;
    void reject() override;

private:
    void tmWaitIntervalTimer();
    void btnRetryNowClick();
    void TryOpen();
    void ShowCountdown();

    int FCountdown = 0;
    TDeviceLink* FLink = nullptr;
};
