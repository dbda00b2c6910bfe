#pragma once

// The one way the GUI suites answer modal windows: a driver polls for the
// active modal window and hands it to the test's handler, with a watchdog so
// nothing is left blocking.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <memory>

namespace testkit {

constexpr int kDriverTickMs = 20;
constexpr int kWatchdogMs = 20000;
constexpr int kAnsweredCloseGraceMs = 200;

// Rejects a dialog, closes any other window.
inline void CloseModal(QWidget* modal) {
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
}

// Presses the standard button of a message box; false when the window is
// no message box or has no such button.
inline bool PressBox(QWidget* modal, QMessageBox::StandardButton which) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box || !box->button(which))
        return false;
    box->button(which)->click();
    return true;
}

// Answers whatever modal window is up. The handler gets the window and the
// milliseconds it has been up; it returns true once it has dealt with it.
// A window nobody deals with in time is closed and reported.
class TModalDriver : public QObject {
public:
    using THandler = std::function<bool(QWidget* modal, qint64 upMs)>;

    explicit TModalDriver(QObject* parent = nullptr, int watchdogMs = kWatchdogMs)
        : QObject(parent), FWatchdogMs(watchdogMs) {
        FTimer.setInterval(kDriverTickMs);
        connect(&FTimer, &QTimer::timeout, this, [this] { Tick(); });
        FTimer.start();
    }

    void SetHandler(THandler handler) { FHandler = std::move(handler); }
    // Hands the next modal window to answer once; what it leaves open is
    // closed a moment later.
    void AnswerOnce(std::function<void(QWidget*)> answer) {
        auto done = std::make_shared<bool>(false);
        SetHandler([answer = std::move(answer), done](QWidget* modal, qint64 upMs) {
            if (!*done) {
                *done = true;
                answer(modal);
                return false;
            }
            if (upMs < kAnsweredCloseGraceMs)
                return false;
            CloseModal(modal);
            return true;
        });
    }
    // Every message box with OK (or its default answer), its text kept.
    void AnswerBoxesWithOk() {
        SetHandler([](QWidget* modal, qint64) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box)
                return false;
            if (!PressBox(box, QMessageBox::Ok))
                box->accept();
            return true;
        });
    }

    // "caption|text" of every message box seen, in order.
    QStringList Boxes;
    // The texts alone.
    QStringList BoxTexts;
    int Seen = 0; // modal windows seen
    QStringList WatchdogClosed;

private:
    void Tick() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != FCurrent) {
            FCurrent = modal;
            FSince.start();
            if (modal)
                ++Seen;
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                Boxes << box->windowTitle() + QLatin1Char('|') + box->text();
                BoxTexts << box->text();
            }
        }
        if (!modal)
            return;
        if (FHandler && FHandler(modal, FSince.elapsed())) {
            FCurrent = nullptr;
            return;
        }
        if (FSince.elapsed() > FWatchdogMs) {
            WatchdogClosed << modal->metaObject()->className();
            CloseModal(modal);
            FCurrent = nullptr;
        }
    }

    QTimer FTimer;
    THandler FHandler;
    int FWatchdogMs;
    QWidget* FCurrent = nullptr;
    QElapsedTimer FSince;
};

} // namespace testkit
