// The installation check against the simulated tracker: its stream, with one
// fault at a time, judged by the check; a healthy unit read over the serial
// line and its PDF report.
#include "e2e/LinkFixture.h"

#include "StatusReports.h"
#include "check/InstallCheck.h"
#include "check/StatusHistory.h"
#include "link/ComDataPacket.h"
#include "link/DeviceLink.h"
#include "report/CheckReport.h"

#include <QProcess>
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
constexpr int kLineWaitMs = 20000;
const QString kImei = QStringLiteral("356938035643809");

QString PdfText(const QString& path) {
    QProcess p;
    p.start(QStandardPaths::findExecutable("pdftotext"), {"-layout", path, "-"});
    if (!p.waitForFinished() || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

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

    void healthyUnitOverTheLineIsFitAndReported() {
        QVERIFY2(!QStandardPaths::findExecutable("pdftotext").isEmpty(),
                 "pdftotext (poppler-utils) is needed");
        B = std::make_unique<TLinkBench>();
        QVERIFY2(B->Start(), qPrintable(B->Error));
        B->Sim.SetStreamPeriod(kFastPeriodMs);
        B->Sim.Installation().SetFixDelay(kFastFixDelayMs);
        B->Sim.Installation().SetIgnitionToggle(kFastIgnitionToggleMs);
        B->Sim.UseInstallationStream();

        TInstallCheck check;
        TStatusHistory history;
        QElapsedTimer clock;
        const qint64 base = QDateTime::currentMSecsSinceEpoch();
        TComDataPacket framer;
        framer.SetStopString(QStringLiteral("\r"));
        framer.OnPacket = [&](const QString& line) {
            const qint64 ms = base + clock.elapsed() * kTimeScale;
            const TStatusReading reading = ReadStatusReport(line.trimmed());
            history.Add(reading, ms);
            check.Add(reading, ms);
        };
        TDeviceLink* link = fmMain->Link;
        QVERIFY(link->StartStatusStream());
        clock.start();
        framer.SetComPort(link->ComPort1);
        QVERIFY2(WaitUntil([&] { return check.AllHold(); }, kLineWaitMs),
                 qPrintable(check.Verdict().Reasons.join('\n')));
        framer.SetComPort(nullptr);
        link->StopStatusStream();
        QVERIFY(check.LastMs() - check.StartMs() <= kFitWithinMs);
        QVERIFY(!history.Points(tsSignal).isEmpty());

        TCheckReportData data = CheckReportData(check, history);
        data.Started = QDateTime::fromMSecsSinceEpoch(check.StartMs());
        data.Finished = QDateTime::fromMSecsSinceEpoch(check.LastMs());
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
