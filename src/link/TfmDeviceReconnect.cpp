#include "TfmDeviceReconnect.h"

#include "DeviceLink.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kFirstTryMs = 1;
constexpr int kTickMs = 1000;
constexpr int kRetrySeconds = 5;

} // namespace

TfmDeviceReconnect::TfmDeviceReconnect(TDeviceLink* link, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), FLink(link) {
    setObjectName(QStringLiteral("fmDeviceReconnect"));
    setWindowTitle(tr("Ожидание устройства"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    lblMessage = new QLabel(tr("Идет подключение ждите"), this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setAlignment(Qt::AlignCenter);
    layout->addWidget(lblMessage);
    lblRetryInterval = new QLabel(tr("Повтор через"), this);
    lblRetryInterval->setObjectName(QStringLiteral("lblRetryInterval"));
    lblRetryInterval->setAlignment(Qt::AlignCenter);
    layout->addWidget(lblRetryInterval);

    auto* buttons = new QHBoxLayout;
    btnRetryNow = new QPushButton(tr("Повторить"), this);
    btnRetryNow->setObjectName(QStringLiteral("btnRetryNow"));
    btnRetryNow->setAutoDefault(false);
    btnCancel = new QPushButton(tr("Остановить"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    buttons->addWidget(btnRetryNow);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    tmWaitInterval = new QTimer(this);
    tmWaitInterval->setObjectName(QStringLiteral("tmWaitInterval"));

    connect(tmWaitInterval, &QTimer::timeout, this, [this] { tmWaitIntervalTimer(); });
    connect(btnRetryNow, &QPushButton::clicked, this, [this] { btnRetryNowClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { reject(); });
}

void TfmDeviceReconnect::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    tmWaitInterval->stop();
    FCountdown = 0;
    ShowCountdown();
    tmWaitInterval->setInterval(kFirstTryMs);
    tmWaitInterval->start();
}

void TfmDeviceReconnect::reject() {
    tmWaitInterval->stop();
    QDialog::reject();
}

void TfmDeviceReconnect::ShowCountdown() {
    lblRetryInterval->setText(tr("Подключение через ") + QString::number(FCountdown));
}

void TfmDeviceReconnect::tmWaitIntervalTimer() {
    --FCountdown;
    ShowCountdown();
    TryOpen();
}

void TfmDeviceReconnect::btnRetryNowClick() {
    FCountdown = 0;
    TryOpen();
}

void TfmDeviceReconnect::TryOpen() {
    if (FCountdown > 0)
        return;
    tmWaitInterval->stop();
    if (FLink && FLink->OpenPort()) {
        accept();
        return;
    }
    tmWaitInterval->setInterval(kTickMs);
    tmWaitInterval->start();
    FCountdown = kRetrySeconds;
    ShowCountdown();
}
