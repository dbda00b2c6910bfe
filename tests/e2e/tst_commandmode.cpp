#include "e2e/LinkFixture.h"

#include <QLabel>
#include <QProgressBar>
#include <QtTest>
#include <memory>

using namespace linktest;

namespace {
const QString kCodeLine = QStringLiteral(">") + QString::fromLatin1(TTrackerSim::kAccessCode);
constexpr int kEntryWaitMs = 15000;
// An entry that waited for these time-outs instead of ending on the prompt
// stands out however loaded the machine.
constexpr int kLongTimeoutMs = 4000;

bool IsConnectDialog(QWidget* w) {
    return w == static_cast<QWidget*>(fmWaitingData);
}
bool IsReconnectDialog(QWidget* w) {
    return w == static_cast<QWidget*>(fmDeviceReconnect);
}

} // namespace

class TestCommandMode : public QObject {
    Q_OBJECT
    std::unique_ptr<TLinkBench> B;

    void StartBench(const TIniOptions& o = {}, bool useLink = false,
                    THostKind kind = THostKind::Windows) {
        B = std::make_unique<TLinkBench>();
        QVERIFY2(B->Start(o, useLink, kind), qPrintable(B->Error));
    }
    void StartLinkOnly(const TIniOptions& o = {}) { StartBench(o, false, THostKind::LinkOnly); }

    // Stops the connect dialog after this many code lines have gone out.
    void StopEntryAfter(int codeLines, bool byEscape = false) {
        B->Driver->SetHandler([this, codeLines, byEscape](QWidget* modal, qint64) {
            if (!IsConnectDialog(modal) || B->LogCount(kCodeLine) < codeLines)
                return false;
            if (byEscape)
                QTest::keyClick(modal, Qt::Key_Escape);
            else
                fmWaitingData->btnCancel->click();
            return true;
        });
    }

private Q_SLOTS:
    void cleanup() { EndBench(B); }

    // A port that stays missing while the entry loop retries logs its failure
    // once; the count follows when the port is back.
    void missingPortIsLoggedOnceWithCount() {
        StartBench({}, true, THostKind::LinkOnly);
        B->Sim.Vanish();
        const QString failure = QStringLiteral("]Не могу открыть порт, исключение=");
        for (int i = 0; i < 6; ++i)
            QVERIFY(!B->Link()->OpenPort());
        const QStringList lines = B->Log().split(QLatin1Char('\n')).filter(failure);
        QCOMPARE(lines.size(), 1);
        QVERIFY(B->Sim.Reappear());
        QVERIFY(B->Link()->OpenPort());
        const QStringList after = B->Log().split(QLatin1Char('\n')).filter(failure);
        QCOMPARE(after.size(), 2);
        QCOMPARE(after.last(), lines.first() + QStringLiteral(" (повторено 5 раз)"));
    }

    void entryReachesCommandMode_data() {
        QTest::addColumn<int>("method");
        QTest::addColumn<bool>("promptAfterLF");
        QTest::newRow("standard, CR prompt") << 0 << false;
        QTest::newRow("standard, LF prompt") << 0 << true;
        QTest::newRow("fast, CR prompt") << 1 << false;
        QTest::newRow("fast, LF prompt") << 1 << true;
    }
    void entryReachesCommandMode() {
        QFETCH(int, method);
        QFETCH(bool, promptAfterLF);
        TIniOptions o;
        o.ConnectMethod = method;
        o.Timeout = o.TimeoutInterval = o.TimeoutEcho = kLongTimeoutMs;
        StartBench(o);
        B->Sim.SetEntryPromptLF(promptAfterLF);

        QVERIFY(fmMain->StatusPanelText(3).isEmpty());
        QElapsedTimer timer;
        timer.start();
        fmMain->Connect1Click();
        const qint64 ms = timer.elapsed();

        QVERIFY(B->Link()->InCommandMode);
        // One round trip, ended by the prompt.
        QCOMPARE(B->Sim.ReceivedLines().size(), 1);
        QVERIFY2(ms < kLongTimeoutMs - 1000, qPrintable(QString::number(ms)));
        QVERIFY(B->Sim.InCommandMode());
        QCOMPARE(fmMain->StatusPanelText(3), QStringLiteral("LINK"));
        QCOMPARE(fmMain->StatusPanelText(4), QStringLiteral("CMD"));
        QCOMPARE(B->Sim.ReceivedLines().first(), QString::fromLatin1(TTrackerSim::kAccessCode));
        // The CR before the code shows as a line of its own, then the code.
        QVERIFY(B->Log().contains(QStringLiteral(">\n") + kCodeLine));
        QCOMPARE(fmMain->ProgressBar1->value(), 0);
        QVERIFY(!fmWaitingData->isVisible());
        // Entering again costs nothing once in command mode.
        B->Sim.ClearReceived();
        QVERIFY(B->Link()->EnterCommandMode());
        QVERIFY(B->Sim.ReceivedLines().isEmpty());
    }

    void fastEntryTakesBareEchoAsAlreadyInCommandMode() {
        TIniOptions o;
        o.ConnectMethod = 1;
        StartLinkOnly(o);
        B->Sim.SetInCommandMode(true);
        QVERIFY(B->Link()->EnterCommandMode());
        QCOMPARE(B->LogCount(QStringLiteral("]Уже в командном режиме")), 1);
        QCOMPARE(B->Sim.ReceivedLines().size(), 1);
    }

    void standardEntrySendsExitLineEveryFifthAttempt() {
        // The device already in command mode only echoes the code; the
        // standard method waits for a prompt and on the fifth attempt sends
        // the exit line, after which the next code gets its prompt.
        StartLinkOnly();
        B->Sim.SetInCommandMode(true);
        QVERIFY(B->Link()->EnterCommandMode());
        const QStringList lines = B->Sim.ReceivedLines();
        const QString code = QString::fromLatin1(TTrackerSim::kAccessCode);
        const QString exitLine = QStringLiteral("AT+TEXT=") + Settings.Link.ActivePassword() + ",";
        QCOMPARE(lines, QStringList({code, code, code, code, code, exitLine, code}));
        QCOMPARE(Settings.Link.ActivePassword(), QString::fromLatin1(kMasterPassword));
        QCOMPARE(B->LogCount(QStringLiteral(">AT+TEXT=*,")), 1);
        QVERIFY(!B->Log().contains(QString::fromLatin1(kMasterPassword)));
        QCOMPARE(B->LogCount(QStringLiteral("]Уже в командном режиме")), 0);
    }

    void silentDeviceKeepsTryingUntilStopped_data() {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Остановить") << false;
        QTest::newRow("Esc") << true;
    }
    void silentDeviceKeepsTryingUntilStopped() {
        QFETCH(bool, byEscape);
        TIniOptions o;
        o.Timeout = 60;
        o.TimeoutInterval = 60;
        o.TimeoutEcho = 60;
        StartBench(o);
        B->Sim.SetSilent(true);
        StopEntryAfter(6, byEscape);
        QVERIFY(!B->Link()->EnterCommandMode());
        QVERIFY(!B->Link()->InCommandMode);
        QCOMPARE(fmMain->StatusPanelText(4), QString());
        QCOMPARE(fmMain->StatusPanelText(3), QStringLiteral("LINK"));
        QVERIFY(B->LogCount(kCodeLine) >= 6);
        QVERIFY(B->LogCount(QStringLiteral(">AT+TEXT=*,")) >= 1);
        QCOMPARE(fmMain->ProgressBar1->value(), 0);
        QVERIFY(B->Driver->Boxes.isEmpty());
    }

    void entryWithVanishedPortPausesBetweenAttempts() {
        // Without a port every attempt fails at once; the loop must not spin
        // and flood the log while the operator decides.
        StartBench({}, true);
        B->Sim.SetSilent(true);
        QElapsedTimer since;
        B->Driver->SetHandler([&](QWidget* modal, qint64) {
            if (!IsConnectDialog(modal))
                return false;
            if (!B->Sim.Vanished() && B->LogCount(kCodeLine) >= 2) {
                B->Sim.Vanish();
                since.start();
            }
            if (since.isValid() && since.elapsed() > 2000) {
                fmWaitingData->btnCancel->click();
                return true;
            }
            return false;
        });
        QVERIFY(!B->Link()->EnterCommandMode());
        const int failures = B->Log().count(QStringLiteral("]Не могу открыть порт, исключение="));
        QVERIFY(failures >= 1);
        QVERIFY2(failures <= 8, qPrintable(QString::number(failures)));
        QVERIFY(B->Log().contains(QStringLiteral("]Ошибка при связи с трекером")));
        QVERIFY(B->Driver->Boxes.isEmpty());
    }

    void leaveThroughProfileTextCommand() {
        StartBench();
        const TCmdAddress text = Address(QStringLiteral("+TEXT"));
        if (text.Page < 0)
            QSKIP("the shipped profile has no +TEXT");
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.ClearReceived();
        fmMain->Leavecommandmode1Click();
        QVERIFY(!B->Link()->InCommandMode);
        QCOMPARE(fmMain->StatusPanelText(4), QString());
        QVERIFY(B->Sim.WaitForIdle(2000));
        QCOMPARE(B->Sim.ReceivedLines().size(), 1);
        QVERIFY(B->Sim.ReceivedLines().first().startsWith(QStringLiteral("AT+TEXT=")));
        QVERIFY(!B->Sim.InCommandMode());
        QVERIFY(B->LogCount(QStringLiteral("]Команда +TEXT не описана!")) == 0);
        // exitcmd answers are never retried.
        QVERIFY(!B->Log().contains(QStringLiteral("Не получен ожидаемый ответ")));
    }

    void leaveWithoutTextCommandSendsBuiltInLine_data() {
        QTest::addColumn<QString>("password");
        QTest::newRow("master password") << QString::fromLatin1(kMasterPassword);
        QTest::newRow("no password") << QString();
    }
    void leaveWithoutTextCommandSendsBuiltInLine() {
        QFETCH(QString, password);
        TIniOptions o;
        o.MasterPassword = password;
        if (password.isEmpty())
            o.Password.clear();
        StartBench(o);
        B->UseProfile(ProfileWithout(QStringLiteral("+TEXT")));
        QCOMPARE(FindCommand(QStringLiteral("+TEXT")).Page, -1);
        QCOMPARE(Settings.Link.ActivePassword(), password);
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.ClearReceived();
        fmMain->Leavecommandmode1Click();
        QVERIFY(!B->Link()->InCommandMode);
        QCOMPARE(fmMain->StatusPanelText(4), QString());
        QCOMPARE(B->LogCount(QStringLiteral("]Команда +TEXT не описана!")), 1);
        QVERIFY(B->Sim.WaitForLines(1, 2000));
        QCOMPARE(B->Sim.ReceivedLines(),
                 QStringList({QStringLiteral("AT+TEXT=") + password + ","}));
        QCOMPARE(B->LogCount(QStringLiteral(">AT+TEXT=*,")), 1);
        QVERIFY(!B->Log().contains(QString::fromLatin1(kMasterPassword)));
    }

    void leaveWhenNotInCommandModeSendsNothing() {
        StartBench();
        fmMain->Leavecommandmode1Click();
        QTest::qWait(100);
        QVERIFY(B->Sim.ReceivedLines().isEmpty());
        QVERIFY(B->Sim.ReceivedBytes().isEmpty());
    }

    void reconnectDialogWaitsForLatePort() {
        StartBench({}, true);
        B->Sim.Vanish();
        QStringList countdowns;
        bool reappeared = false;
        B->Driver->SetHandler([&](QWidget* modal, qint64 upMs) {
            if (!IsReconnectDialog(modal))
                return false;
            const QString label = fmDeviceReconnect->lblRetryInterval->text();
            if (countdowns.isEmpty() || countdowns.last() != label)
                countdowns << label;
            if (!reappeared && upMs > 1500) {
                reappeared = true;
                B->Sim.Reappear();
            }
            return false;
        });
        QElapsedTimer t;
        t.start();
        QVERIFY(B->Link()->EnterCommandMode());
        QVERIFY(reappeared);
        QVERIFY(B->Link()->InCommandMode);
        QVERIFY(countdowns.contains(QStringLiteral("Подключение через 5")));
        QVERIFY(countdowns.contains(QStringLiteral("Подключение через 1")));
        // The first try happened at once and failed; so did the retries until
        // the port came back.
        QVERIFY(B->Log().count(QStringLiteral("]Не могу открыть порт, исключение=")) >= 2);
    }

    void reconnectRetryNowOpensAtOnce() {
        StartBench({}, true);
        B->Sim.Vanish();
        bool pressed = false;
        B->Driver->SetHandler([&](QWidget* modal, qint64 upMs) {
            if (!IsReconnectDialog(modal) || pressed || upMs < 300)
                return false;
            pressed = true;
            B->Sim.Reappear();
            fmDeviceReconnect->btnRetryNow->click();
            return true;
        });
        QVERIFY(B->Link()->WaitForPort());
        QVERIFY(pressed);
        QVERIFY(B->Link()->ComPort1->Connected());
        QCOMPARE(fmMain->StatusPanelText(3), QStringLiteral("LINK"));
    }

    void reconnectCancelledLeavesEntryFalse() {
        StartBench({}, true);
        B->Sim.Vanish();
        B->Driver->SetHandler([](QWidget* modal, qint64 upMs) {
            if (!IsReconnectDialog(modal) || upMs < 200)
                return false;
            fmDeviceReconnect->btnCancel->click();
            return true;
        });
        QVERIFY(!B->Link()->EnterCommandMode());
        QVERIFY(!B->Link()->InCommandMode);
        QVERIFY(!fmWaitingData->isVisible());
        QCOMPARE(fmMain->StatusPanelText(3), QString());
    }

    void idleCheckNoticesVanishedPort() {
        TIniOptions o;
        o.PortPoll = true;
        StartBench(o);
        QVERIFY(B->Link()->EnterCommandMode());
        QVERIFY(WaitUntil([&] { return B->Sim.ZeroBytesReceived() > 0; }, 3000));
        B->Sim.Vanish();
        QVERIFY(WaitUntil([&] { return B->Log().contains(QStringLiteral("]Device disconnected")); },
                          3000));
        QVERIFY(!B->Link()->InCommandMode);
        QVERIFY(!B->Link()->ComPort1->Connected());
        QCOMPARE(fmMain->StatusPanelText(3), QString());
        QCOMPARE(fmMain->StatusPanelText(4), QString());
        QCOMPARE(B->LogCount(QStringLiteral("]Device disconnected")), 1);
    }

    void idleCheckOffLeavesLostPortUnnoticed() {
        StartBench();
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.Vanish();
        QTest::qWait(600);
        QVERIFY(B->Link()->InCommandMode);
        QVERIFY(!B->Log().contains(QStringLiteral("Device disconnected")));
        QCOMPARE(B->Sim.ZeroBytesReceived(), 0);
    }

    void connectDialogIsCentredOverMainWindow() {
        StartBench();
        fmMain->setGeometry(100, 80, 900, 700);
        QRect seen;
        B->Sim.SetSilent(true);
        B->Driver->SetHandler([&](QWidget* modal, qint64) {
            if (!IsConnectDialog(modal))
                return false;
            seen = modal->frameGeometry();
            B->Sim.SetSilent(false);
            return false;
        });
        QVERIFY(B->Link()->EnterCommandMode());
        const QRect m = fmMain->frameGeometry();
        QVERIFY(seen.isValid());
        // Centred to within the dialog's own frame, which exists only once shown.
        QVERIFY(qAbs(seen.center().x() - m.center().x()) <= 4);
        QVERIFY(qAbs(seen.center().y() - m.center().y()) <= 4);
        QCOMPARE(fmWaitingData->windowTitle(), QStringLiteral("Установка связи"));
        QCOMPARE(fmWaitingData->btnCancel->text(), QStringLiteral("Остановить"));
        QCOMPARE(fmWaitingData->Label1->text(), QStringLiteral("Идет подключение ждите"));
    }
};

QTEST_MAIN(TestCommandMode)
#include "tst_commandmode.moc"
