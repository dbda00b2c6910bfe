// The installation check against the simulated tracker: its stream, with one
// fault at a time, judged by the check, in process and over the serial line;
// a healthy unit's PDF report.
#include "e2e/LinkFixture.h"
#include "e2e/PdfText.h"

#include "StatusReports.h"
#include "check/CheckRun.h"
#include "link/DeviceLink.h"
#include "ops/OpsObserver.h"
#include "report/CheckReport.h"

#include <QStandardPaths>
#include <QtTest>
#include <memory>

using namespace linktest;

namespace {

constexpr int kPeriodMs = 500;
constexpr qint64 kFitWithinMs = 30 * 1000;
constexpr qint64 kWatchMs = 60 * 1000;
constexpr int kIgnitionToggleMs = 5000;
// Over the line the stream runs ten times faster than the check's clock.
constexpr int kFastPeriodMs = 50;
constexpr int kTimeScale = kPeriodMs / kFastPeriodMs;
constexpr int kFastFixDelayMs = 500;
constexpr int kFastIgnitionToggleMs = 1000;
// Check time (ten times the real): enough for a healthy unit to be fit.
constexpr int kRunSeconds = 40;
const QString kImei = QStringLiteral("356938035643809");

} // namespace

class TestInstallCheckOnSimulator : public QObject {
    Q_OBJECT
    std::unique_ptr<TLinkBench> B;

private Q_SLOTS:
    void cleanup() { EndBench(B); }

    void faultFailsOnlyItsCriterion_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("criterion");
        QTest::newRow("healthy") << int(ifCount) << -1;
        QTest::newRow("self-test") << int(ifSelfTest) << int(ckSelfTest);
        QTest::newRow("no fix") << int(ifNoFix) << int(ckNavigation);
        QTest::newRow("no server") << int(ifNoServer) << int(ckGsm);
        QTest::newRow("voltage") << int(ifVoltage) << int(ckPower);
        QTest::newRow("ignition stuck") << int(ifIgnitionStuck) << int(ckIgnition);
        QTest::newRow("memory growing") << int(ifMemoryGrowing) << int(ckMemory);
    }
    void faultFailsOnlyItsCriterion() {
        QFETCH(int, fault);
        QFETCH(int, criterion);
        auto unit = std::make_shared<TSimInstallation>();
        unit->SetIgnitionToggle(kIgnitionToggleMs);
        if (fault != ifCount)
            unit->SetFault(TInstallFault(fault), true);
        TStatusReports stream(kPeriodMs, unit);
        TInstallCheck check;
        qint64 fitAt = -1;
        for (int n = 0; n * kPeriodMs <= kWatchMs && fitAt < 0; ++n)
            for (const QString& line : stream.Lines(n)) {
                check.Add(ReadStatusReport(line), n * kPeriodMs);
                if (fitAt < 0 && check.AllHold())
                    fitAt = n * kPeriodMs;
            }
        const TCheckVerdict v = check.Verdict();
        if (criterion < 0) {
            QVERIFY2(fitAt >= 0 && fitAt <= kFitWithinMs, qPrintable(v.Reasons.join('\n')));
            return;
        }
        QCOMPARE(fitAt, qint64(-1));
        QCOMPARE(v.Reasons.size(), 1);
        QVERIFY2(v.Reasons.first().startsWith(CriterionName(TCriterion(criterion)) + ": "),
                 qPrintable(v.Reasons.first()));
    }

    // The same table over the serial line, through the check velmora-cli
    // runs: a healthy unit ends early as fit and is reported; a fault runs
    // the whole time and fails its criterion alone.
    void overTheLineEndsAsFitOrNamesTheFault_data() { faultFailsOnlyItsCriterion_data(); }
    void overTheLineEndsAsFitOrNamesTheFault() {
        QFETCH(int, fault);
        QFETCH(int, criterion);
        QVERIFY2(!QStandardPaths::findExecutable("pdftotext").isEmpty(),
                 "pdftotext (poppler-utils) is needed");
        B = std::make_unique<TLinkBench>();
        QVERIFY2(B->Start(), qPrintable(B->Error));
        B->Sim.SetStreamPeriod(kFastPeriodMs);
        B->Sim.Installation().SetFixDelay(kFastFixDelayMs);
        B->Sim.Installation().SetIgnitionToggle(kFastIgnitionToggleMs);
        if (fault != ifCount)
            B->Sim.SetInstallFault(TInstallFault(fault), true);
        B->Sim.UseInstallationStream();

        QElapsedTimer clock;
        clock.start();
        const qint64 base = QDateTime::currentMSecsSinceEpoch();
        TCheckRunOptions options;
        options.Seconds = kRunSeconds;
        options.Clock = [&] { return base + clock.elapsed() * kTimeScale; };
        TOpsObserver observer;
        const TCheckRunResult run = RunInstallCheck(*fmMain->Link, observer, options);
        QVERIFY(run.Streamed);
        QVERIFY(run.Failure.isEmpty());
        QVERIFY(!B->Sim.Streaming());
        const TInstallCheck& check = run.Record.Check();
        const TCheckVerdict v = check.Verdict();
        const qint64 ran = run.Finished.toMSecsSinceEpoch() - run.Started.toMSecsSinceEpoch();
        if (criterion >= 0) {
            QVERIFY(ran >= kRunSeconds * 1000);
            QCOMPARE(v.Reasons.size(), 1);
            QVERIFY2(v.Reasons.first().startsWith(CriterionName(TCriterion(criterion)) + ": "),
                     qPrintable(v.Reasons.first()));
            return;
        }
        QVERIFY2(v.Passed, qPrintable(v.Reasons.join('\n')));
        QVERIFY(check.LastMs() - check.StartMs() <= kFitWithinMs);
        QVERIFY(!run.Record.History().Points(tsSignal).isEmpty());

        TCheckReportData data = CheckReportData(check, run.Record.History());
        QVERIFY(!data.Operator.isEmpty());
        data.Bench = "bench-7";
        data.Plate = "А123ВС 77";
        const QString path = B->Dir.filePath("report.pdf");
        QString error;
        QVERIFY2(WriteCheckReport(path, data, &error), qPrintable(error));
        const QString text = PdfText(path);
        QVERIFY2(text.contains(kImei), qPrintable(text));
        QVERIFY(text.contains("Заключение: Годен"));
        QVERIFY(!text.contains("Не годен"));
        for (const char* part : {"VT-SIM 300", "bench-7", "А123ВС 77", "maps.yandex.ru", "°"})
            QVERIFY2(text.contains(QString::fromUtf8(part)), part);
    }
};

QTEST_MAIN(TestInstallCheckOnSimulator)
#include "tst_checkonsim.moc"
