// The tracker (or its USB adapter) vanishes under the program: in the middle
// of an answer, while the status stream runs and while the link is idle.
// Nothing may crash, the serial driver's error notifications must not turn
// into a busy loop, the log says what happened, "LINK" goes away once the
// port is closed, and the port opens again when the device comes back.
#include "e2e/LinkFixture.h"

#include "StatusReports.h"
#include "app/TfmDeviceInfo.h"

#include <QLineEdit>
#include <QtTest>
#include <chrono>
#include <memory>
#include <thread>

using namespace linktest;

namespace {

constexpr int kLinkPanel = 3;
const QString kLinkText = QStringLiteral("LINK");
const QString kRequest = QStringLiteral("AT+SGDT=?");
const QString kReadFailure = QStringLiteral("Ошибка чтения, исключение=");
const QString kOpenFailure = QStringLiteral("Не могу открыть порт, исключение=");
const QString kDisconnected = QStringLiteral("]Device disconnected"); // a general log line

constexpr int kTimeoutMs = 800;
constexpr int kIntervalMs = 250;
constexpr int kEchoMs = 250;
constexpr int kPieceBytes = 4;
constexpr int kPiecePauseMs = 40; // well inside the interval: the answer keeps coming
constexpr int kVanishAfterLineMs = 200;
constexpr int kStreamPeriodMs = 300;
constexpr int kFillWaitMs = 10000;
constexpr int kQuietWatchMs = 1000; // idle time in which notifications are counted
constexpr int kCloseWaitMs = 5000;
// A live device makes no error notifications at all; a hung-up one may make
// a handful before the port stops listening. A busy loop makes thousands.
constexpr int kNotificationBound = 50;
constexpr int kAnswerBlockBytes = 100;
constexpr int kBoundSlackMs = 2000;

// What one exchange may take at most: echo wait, answer wait, one gap per
// answer block, plus slack for a loaded (or sanitizer-slowed) machine.
qint64 ExchangeBoundMs(int answerBytes) {
    return kEchoMs + kTimeoutMs + qint64(answerBytes / kAnswerBlockBytes + 1) * kIntervalMs +
           kBoundSlackMs;
}

QString LinkPanel() {
    return fmMain->StatusPanelText(kLinkPanel);
}

QString PortConnField() {
    QLineEdit* e = fmDeviceInfo->Field(QStringLiteral("ePortConn"));
    return e ? e->text() : QString();
}

} // namespace

class TestUnplug : public QObject {
    Q_OBJECT
    std::unique_ptr<TLinkBench> B;

    void StartBench(bool portPoll) {
        B = std::make_unique<TLinkBench>();
        TIniOptions o;
        o.Timeout = kTimeoutMs;
        o.TimeoutInterval = kIntervalMs;
        o.TimeoutEcho = kEchoMs;
        o.PortPoll = portPoll;
        // Through a link, as a udev name: the same name works after Reappear.
        QVERIFY2(B->Start(o, true), qPrintable(B->Error));
        B->Sim.SetStreamPeriod(kStreamPeriodMs);
        B->Sim.SetStatusReportSource(MakeStatusReportSource(kStreamPeriodMs));
    }

    // One quiet exchange, checked to end within its bound.
    TExchangeResult Exchange() {
        QElapsedTimer t;
        t.start();
        const TExchangeResult r =
            fmMain->Link->ExchangeCommand(kRequest, QString(), true, false, true);
        const qint64 bound = ExchangeBoundMs(int(r.answer.size()));
        if (t.elapsed() > bound)
            qWarning("exchange took %lld ms, bound %lld ms", t.elapsed(), bound);
        FSlowExchanges += t.elapsed() > bound ? 1 : 0;
        return r;
    }

    // Error notifications while the event loop runs idle for a while.
    int NotificationsWhileIdle() {
        const int before = fmMain->Link->ComPort1->ErrorNotificationCount();
        QTest::qWait(kQuietWatchMs);
        return fmMain->Link->ComPort1->ErrorNotificationCount() - before;
    }

    void ComeBackAndAnswer() {
        QVERIFY(B->Sim.Reappear());
        B->Sim.SetInCommandMode(true);
        const TExchangeResult back = Exchange();
        QVERIFY2(!back.failed, qPrintable(B->Log()));
        QVERIFY2(back.answer.contains(QStringLiteral("+RESP:SGDT,")), qPrintable(back.answer));
        QVERIFY(fmMain->Link->ComPort1->Connected());
        QCOMPARE(LinkPanel(), kLinkText);
    }

    int FSlowExchanges = 0;

private Q_SLOTS:
    void init() { FSlowExchanges = 0; }

    void cleanup() {
        if (B) {
            if (fmDeviceInfo && fmDeviceInfo->isVisible())
                fmDeviceInfo->done(QDialog::Rejected);
            QVERIFY(B->Driver->WatchdogClosed.isEmpty());
            QVERIFY(B->Driver->Boxes.isEmpty());
            B->Stop();
        }
        B.reset();
        QCOMPARE(FSlowExchanges, 0);
    }

    void vanishInTheMiddleOfAnAnswer() {
        StartBench(false);
        B->Sim.SetInCommandMode(true);
        QVERIFY(!Exchange().failed); // the port is open and the device answers
        B->Sim.ClearReceived();
        B->Sim.SetChunking(kPieceBytes, kPiecePauseMs);
        TTrackerSim* sim = &B->Sim;
        std::thread unplug([sim] {
            if (sim->WaitForLines(1, kFillWaitMs))
                std::this_thread::sleep_for(std::chrono::milliseconds(kVanishAfterLineMs));
            sim->Vanish();
        });
        const int before = fmMain->Link->ComPort1->ErrorNotificationCount();
        const TExchangeResult cut = Exchange();
        unplug.join();
        // Part of the answer arrived, its end never did.
        QVERIFY2(!cut.answer.endsWith(QLatin1Char('>')), qPrintable(cut.answer));
        QVERIFY(fmMain->Link->ComPort1->ErrorNotificationCount() - before < kNotificationBound);
        QVERIFY(NotificationsWhileIdle() < kNotificationBound);

        // The following exchange finds the device gone and closes the port.
        const TExchangeResult gone = Exchange();
        QVERIFY(gone.failed || gone.answer.isEmpty());
        QVERIFY(!fmMain->Link->ComPort1->Connected());
        QVERIFY(LinkPanel().isEmpty());
        QVERIFY(!fmMain->Link->InCommandMode);
        const QString log = B->Log();
        QVERIFY2(log.contains(kReadFailure) || log.contains(kOpenFailure), qPrintable(log));

        B->Sim.SetChunking(0, 0);
        ComeBackAndAnswer();
    }

    void vanishedPortIsClosedAndReopens_data() {
        QTest::addColumn<bool>("streaming");
        QTest::addColumn<bool>("portPoll");
        QTest::newRow("idle, closed by the idle check") << false << true;
        QTest::newRow("idle, closed by the next exchange") << false << false;
        QTest::newRow("status stream, closed by the idle check") << true << true;
        QTest::newRow("status stream, closed by the next exchange") << true << false;
    }

    void vanishedPortIsClosedAndReopens() {
        QFETCH(bool, streaming);
        QFETCH(bool, portPoll);
        StartBench(portPoll);
        if (streaming) {
            fmDeviceInfo->show(); // enters command mode and starts the stream
            QVERIFY(WaitUntil(
                [] {
                    QLineEdit* e = fmDeviceInfo->Field(QStringLiteral("eLat"));
                    return e && !e->text().isEmpty();
                },
                kFillWaitMs));
            QVERIFY(fmDeviceInfo->Streaming);
        } else {
            B->Sim.SetInCommandMode(true);
            QVERIFY(!Exchange().failed);
        }
        QCOMPARE(LinkPanel(), kLinkText);

        B->Sim.Vanish();
        QVERIFY(NotificationsWhileIdle() < kNotificationBound);
        if (portPoll) {
            QVERIFY(WaitUntil([] { return LinkPanel().isEmpty(); }, kCloseWaitMs));
            QVERIFY(!fmMain->Link->ComPort1->Connected());
            QVERIFY2(B->LogCount(kDisconnected) == 1, qPrintable(B->Log()));
        } else {
            // Nobody touched the port: it is still open, only hung up.
            QCOMPARE(LinkPanel(), kLinkText);
            QVERIFY(fmMain->Link->ComPort1->HungUp());
            const TExchangeResult gone = Exchange();
            QVERIFY(gone.failed);
            QVERIFY(!fmMain->Link->ComPort1->Connected());
            QVERIFY(LinkPanel().isEmpty());
            QVERIFY2(B->Log().contains(kReadFailure), qPrintable(B->Log()));
        }
        QVERIFY(!fmMain->Link->InCommandMode);
        if (streaming)
            QCOMPARE(PortConnField(), QStringLiteral("Не активно"));
        // Closed, the port stays quiet.
        QVERIFY(NotificationsWhileIdle() < kNotificationBound);

        // While the device is away, an exchange fails at once and says why.
        const TExchangeResult away = Exchange();
        QVERIFY(away.answer.isEmpty());
        QVERIFY2(B->Log().contains(kOpenFailure), qPrintable(B->Log()));

        if (streaming)
            fmDeviceInfo->done(QDialog::Rejected);
        ComeBackAndAnswer();
        if (streaming) {
            // The stream starts again on the same window.
            B->Sim.SetInCommandMode(false);
            const int sent = B->Sim.StreamReportsSent();
            fmDeviceInfo->show();
            QVERIFY(WaitUntil([this, sent] { return B->Sim.StreamReportsSent() > sent + 2; },
                              kFillWaitMs));
            QVERIFY(fmDeviceInfo->Streaming);
            QCOMPARE(PortConnField(), QStringLiteral("Активно"));
        }
    }
};

QTEST_MAIN(TestUnplug)
#include "tst_unplug.moc"
