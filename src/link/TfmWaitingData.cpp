#include "TfmWaitingData.h"

#include "DeviceLink.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kNoResult = -1;
constexpr int kLabelPointSize = 16;
const QEvent::Type kStartEntryEvent = QEvent::Type(QEvent::User + 1);

} // namespace

TfmWaitingData::TfmWaitingData(TDeviceLink* link, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), FLink(link) {
    setObjectName(QStringLiteral("fmWaitingData"));
    setWindowTitle(tr("Установка связи"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(tr("Идет подключение ждите"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    QFont font = Label1->font();
    font.setPointSize(kLabelPointSize);
    font.setBold(true);
    Label1->setFont(font);
    layout->addWidget(Label1);

    btnCancel = new QPushButton(tr("Остановить"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    layout->addWidget(btnCancel, 0, Qt::AlignHCenter);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    layout->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
}

bool TfmWaitingData::RunConnectDialog() {
    ensurePolished();
    if (layout())
        layout()->activate();
    if (QWidget* main = parentWidget()) {
        const QRect m = main->frameGeometry();
        move(m.left() + (m.width() - width()) / 2, m.top() + (m.height() - height()) / 2);
    }
    FModalResult = kNoResult;
    const int result = exec();
    if (FLink)
        FLink->Host().ProgressSetValue(0);
    return result == QDialog::Accepted;
}

void TfmWaitingData::done(int result) {
    FModalResult = result;
    QDialog::done(result);
}

void TfmWaitingData::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // The loop must run from the dialog's own modal loop, not from inside
    // the show: post it and let the show finish first.
    QCoreApplication::postEvent(this, new QEvent(kStartEntryEvent));
}

void TfmWaitingData::customEvent(QEvent* e) {
    if (e->type() == kStartEntryEvent) {
        if (!FLoopRunning && FModalResult == kNoResult && isVisible())
            RunEntryLoop();
        return;
    }
    QDialog::customEvent(e);
}

void TfmWaitingData::RunEntryLoop() {
    if (!FLink)
        return;
    FLoopRunning = true;
    TLinkHost& host = FLink->Host();
    host.ProgressStart(1);
    int attempts = 0;

    while (FModalResult == kNoResult) {
        QCoreApplication::processEvents();
        host.ProgressExtend(1);
        host.ProgressStep(1);
        ++attempts;
        const TEntryAttempt attempt = FLink->TryEnterCommandMode(attempts);
        if (attempt.Entered) {
            done(QDialog::Accepted);
            break;
        }
        // With the port unavailable an attempt returns at once: pause so the
        // loop neither spins nor floods the log until the port comes back.
        if (FModalResult == kNoResult && attempt.PortClosed) {
            QEventLoop pause;
            QTimer::singleShot(kEntryClosedPortPauseMs, &pause, &QEventLoop::quit);
            pause.exec();
        }
    }
    FLoopRunning = false;
}
