#include "TfmWaitingData.h"

#include "app/Forms.h"
#include "app/Settings.h"
#include "app/TfmMain.h"
#include "link/ComPort.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kNoResult = -1;
constexpr int kLabelPointSize = 16;
// Every this many attempts the exit line is sent, in case the device sits in
// a half-entered state.
constexpr int kExitLineEvery = 5;
// With the port unavailable an attempt returns at once; this keeps the loop
// from spinning and flooding the log until the port comes back.
constexpr int kClosedPortPauseMs = 500;
const QEvent::Type kStartEntryEvent = QEvent::Type(QEvent::User + 1);
constexpr QChar kCR = QChar(13);
constexpr QChar kLF = QChar(10);

TfmMain* MainWindow(QWidget* parent) {
    if (auto* main = qobject_cast<TfmMain*>(parent))
        return main;
    return fmMain;
}

} // namespace

TfmWaitingData::TfmWaitingData(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
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
    if (QWidget* main = MainWindow(parentWidget())) {
        const QRect m = main->frameGeometry();
        move(m.left() + (m.width() - width()) / 2, m.top() + (m.height() - height()) / 2);
    }
    FModalResult = kNoResult;
    const int result = exec();
    if (TfmMain* main = MainWindow(parentWidget()); main && main->ProgressBar1)
        main->ProgressBar1->setValue(0);
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
    TfmMain* main = MainWindow(parentWidget());
    if (!main)
        return;
    FLoopRunning = true;
    QProgressBar* bar = main->ProgressBar1;
    if (bar) {
        bar->setMinimum(0);
        bar->setValue(0);
        bar->setMaximum(1);
    }
    const QString code = QString::fromLatin1(kAccessCode);
    const QString echoOnly = kCR + code + kCR;
    int attempts = 0;

    while (FModalResult == kNoResult) {
        QCoreApplication::processEvents();
        if (bar) {
            bar->setMaximum(bar->maximum() + 1);
            bar->setValue(bar->value() + 1);
        }
        ++attempts;
        const TExchangeResult x = main->ExchangeCommand(kCR + code, QString(), true, false, true);

        if (Settings.ConnectMethod == 1 && !x.failed && x.answer == echoOnly) {
            main->WriteLog(tr("Уже в командном режиме"), lkGeneral);
            done(QDialog::Accepted);
            break;
        }
        if (x.failed) {
            main->WriteLog(tr("Ошибка при связи с трекером"), lkGeneral);
        } else {
            const int n = x.answer.size();
            if (n >= 2 && x.answer[n - 1] == QLatin1Char('>') &&
                (x.answer[n - 2] == kCR || x.answer[n - 2] == kLF)) {
                done(QDialog::Accepted);
                break;
            }
            if (attempts % kExitLineEvery == 0) {
                const TExchangeResult exit = main->ExchangeCommand(
                    QStringLiteral("AT+TEXT=") + Settings.ActivePassword + QLatin1Char(','),
                    QStringLiteral("AT+TEXT=*,"), true, false, true);
                if (exit.failed)
                    main->WriteLog(tr("Ошибка при связи с трекером"), lkGeneral);
            }
        }
        if (FModalResult == kNoResult && !main->ComPort1->Connected()) {
            QEventLoop pause;
            QTimer::singleShot(kClosedPortPauseMs, &pause, &QEventLoop::quit);
            pause.exec();
        }
    }
    FLoopRunning = false;
}
