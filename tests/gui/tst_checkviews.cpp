#include "check/CheckPanel.h"
#include "check/InstallCheck.h"
#include "report/CheckCharts.h"
#include "report/CheckPlots.h"
#include "report/CheckReport.h"

#include <QApplication>
#include <QChart>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QValueAxis>
#include <QtTest>
#include <cmath>

namespace {

constexpr qint64 kPeriodMs = 500;
constexpr int kReports = 20 * 60 * 2; // twenty minutes
const qint64 kStart = QDateTime(QDate(2024, 5, 14), QTime(10, 0)).toMSecsSinceEpoch();

// Twenty minutes of a unit on the bench: voltage rising with the engine,
// signal wandering, a fix after a minute, a short drive.
void FillHistory(TStatusHistory& h) {
    for (int n = 0; n < kReports; ++n) {
        const qint64 ms = kStart + n * kPeriodMs;
        const bool engine = n > 600 && n < 1800;
        h.Append(tsSupply, ms, (engine ? 14.1 : 12.4) + 0.1 * std::sin(n / 9.0));
        h.Append(tsBattery, ms, 4.1 - n * 0.00005);
        h.Append(tsSignal, ms, 18 + 8 * std::sin(n / 70.0));
        h.Append(tsSatellites, ms, n < 120 ? n / 40 : 8 + (n / 300) % 4);
        h.Append(tsSpeed, ms, engine ? 35 + 25 * std::sin(n / 50.0) : 0);
        h.Append(tsTemperature, ms, 21 + n / 600.0);
    }
}

} // namespace

class TestCheckViews : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void plotsHoldTheHistoryOnTimeAndValueAxes() {
        TStatusHistory history;
        FillHistory(history);
        TCheckPlots plots;
        plots.resize(plots.sizeHint());
        plots.show();
        plots.ShowHistory(history);
        TCheckCharts* charts = plots.Charts();
        QCOMPARE(charts->ChartCount(), int(tsCount));
        const auto values = [charts](TSeries s) {
            return qobject_cast<QValueAxis*>(charts->Chart(s)->axes(Qt::Vertical).first());
        };
        const auto extremes = [](const QList<QPointF>& points) {
            const auto [lo, hi] = std::minmax_element(
                points.begin(), points.end(),
                [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
            return qMakePair(lo->y(), hi->y());
        };
        for (int s = 0; s < tsCount; ++s) {
            // Thinned to what the charts can show, spikes kept.
            const QList<QPointF> drawn = charts->Series(TSeries(s))->points();
            QVERIFY(drawn.size() > kReports / 6 && drawn.size() < kReports / 2);
            QCOMPARE(extremes(drawn), extremes(history.Points(TSeries(s))));
            QVERIFY(values(TSeries(s))->min() <= extremes(drawn).first);
        }
        QVERIFY(values(tsSupply)->min() <= 12.3 && values(tsSupply)->max() >= 14.2);
        QCOMPARE(values(tsSignal)->max(), 31.0);
        // The charts share the window's size and fit a 1366 x 768 status window.
        QVERIFY(plots.minimumSizeHint().width() <= 1366 / 3);
        QCOMPARE(charts->sceneRect().size(), QSizeF(plots.viewport()->size()));
        const QString shot = QDir::temp().filePath("velmora-check-plots.png");
        QVERIFY(plots.grab().save(shot));
        qInfo("plots: %s", qPrintable(shot));
    }

    void panelShowsStatesVerdictAndKeepsTheVehicle() {
        TCheckPanel panel;
        QCOMPARE(panel.title(), QString("Проверка установки"));
        QCOMPARE(panel.lvCriteria->item(ckNavigation, TCheckPanel::colState)->text(),
                 QString("ожидание"));
        TInstallCheck check;
        check.Add(ReadStatusReport("+RESP:TREP,EF4016,0,0,3,0,1"), 0);
        check.Add(ReadStatusReport("+RESP:SREP,0,0,0,0,0,0,2000,12.6,4.1,25,0,0,1000,100,0,0,1,"
                                   "0,0,0"),
                  0);
        panel.ShowCheck(check);
        const auto cell = [&](TCriterion c, int col) { return panel.lvCriteria->item(c, col); };
        QCOMPARE(cell(ckSelfTest, TCheckPanel::colCriterion)->text(), QString("Самотестирование"));
        QCOMPARE(cell(ckSelfTest, TCheckPanel::colState)->text(), QString("не норма"));
        QCOMPARE(cell(ckSelfTest, TCheckPanel::colValue)->text(), QString("акселерометр: 3"));
        QCOMPARE(cell(ckPower, TCheckPanel::colState)->text(), QString("норма"));
        QCOMPARE(cell(ckIgnition, TCheckPanel::colValue)->text(),
                 QString("включено, ждём выключения"));
        QVERIFY(cell(ckPower, 0)->background() != cell(ckSelfTest, 0)->background());
        QCOMPARE(panel.lVerdict->text(), QString("Не годен"));
        QVERIFY(panel.lReasons->text().contains("Самотестирование: не норма (акселерометр: 3)"));

        QSignalSpy save(&panel, &TCheckPanel::SaveReportRequested);
        QSignalSpy restart(&panel, &TCheckPanel::RestartRequested);
        panel.ePlate->setText(" А123ВС 77 ");
        panel.eVin->setText("xta21099012345678");
        panel.btnSaveReport->click();
        panel.btnRestart->click();
        QCOMPARE(save.count(), 1);
        QCOMPARE(restart.count(), 1);
        panel.ShowCheck(TInstallCheck());
        QCOMPARE(panel.Plate(), QString("А123ВС 77"));
        QCOMPARE(panel.Vin(), QString("XTA21099012345678"));
    }

    void reportThatCannotBeWrittenSaysWhyAndLeavesNoFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("missing/report.pdf");
        QString error;
        QVERIFY(!WriteCheckReport(path, TCheckReportData(), &error));
        QVERIFY2(error.startsWith("Не могу записать отчёт " + path), qPrintable(error));
        QVERIFY(QDir(dir.path()).isEmpty());
    }
};

QTEST_MAIN(TestCheckViews)
#include "tst_checkviews.moc"
