#include "e2e/LinkFixture.h"

#include "StatusReports.h"
#include "check/CheckPanel.h"
#include "e2e/PdfText.h"
#include "link/ComDataPacket.h"
#include "report/CheckCharts.h"
#include "report/CheckPlots.h"
#include "status/SignalIndicator.h"
#include "app/TfmDeviceInfo.h"
#include "status/WindowFit.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QToolButton>
#include <QtTest>
#include <memory>

using namespace linktest;

namespace {

constexpr int kStreamPeriodMs = 400; // gaps longer than the read interval end every read
constexpr int kFillWaitMs = 10000;
constexpr int kSettleMs = 300;
constexpr int kFastStreamPeriodMs = 50;
constexpr int kFastIgnitionToggleMs = 500;

const QString kPassword = QString::fromLatin1(kMasterPassword); // the active one
const QString kStartLine =
    QStringLiteral("AT+SDAD=") + kPassword + QStringLiteral(",,3,,,,,,,,,,,");
const QString kStopLine = QStringLiteral("AT+SDAD=") + kPassword + QStringLiteral(",,0,,,,,,,,,,,");

const char* const kAllFields[] = {
    "ePortName",
    "ePortRate",
    "ePortConn",
    "eCmdMode",
    "eDevName",
    "eTrackerID",
    "eIMEI",
    "eFW_Ver",
    "eUptime",
    "eGSMReg",
    "eGPRS",
    "eServerState",
    "eGSMOp",
    "eGSMStrength",
    "eServer",
    "eAPN",
    "ePtrRead",
    "ePtrWrite",
    "eFlashSize",
    "eMemoryFree",
    "eMemoryFreePercent",
    "eSlotsTotal",
    "eSlotsFree",
    "eDFreq1",
    "eDCount1",
    "eDFreq2",
    "eDCount2",
    "eDCount3",
    "eDRelay1",
    "eMODE_ACC_STOP",
    "eIgnition",
    "eADC1",
    "eVIN",
    "eVBAT",
    "eTEMP",
    "eACC_X",
    "eACC_Y",
    "eACC_Z",
    "eACC_SLEEP_TIMER",
    "eLat",
    "eLon",
    "eSpeed",
    "eAlt",
    "eSatCount",
    "eFixType",
    "eAzimuth",
    "eGPSTime",
    "eGPSDate",
    "eFreezeCoordByAcc",
    "eFreezeCoordByIgn",
    "eCoordFrozen",
    "eFlashStatus",
    "eFlashID",
    "eAccStatus",
    "eGPSStatus",
    "eModemStatus",
    "eSimStatus",
};

QString FieldText(const char* name) {
    QLineEdit* e = fmDeviceInfo->Field(QString::fromLatin1(name));
    return e ? e->text() : QString();
}

bool AppendRcSection(const QString& folder, const QString& lines) {
    QFile file(QDir(folder).filePath(QString::fromLatin1(kSettingsFileName)));
    if (!file.open(QIODevice::Append))
        return false;
    return file.write((QStringLiteral("[RC]\r\n") + lines).toLatin1()) > 0;
}

QPushButton* RemoteButton(int i) {
    return fmDeviceInfo->bgRC->findChild<QPushButton*>(QStringLiteral("btnRC%1").arg(i));
}

} // namespace

// Takes the addresses the program hands to the system's web handler.
class TUrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Urls;
public Q_SLOTS:
    void Open(const QUrl& url) { Urls << url; }
};

class TestStatusWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<TLinkBench> B;

    void StartBench(const QString& rc = QString()) {
        B = std::make_unique<TLinkBench>();
        QVERIFY2(B->Start(), qPrintable(B->Error));
        B->Sim.SetStreamPeriod(kStreamPeriodMs);
        B->Sim.SetStatusReportSource(MakeStatusReportSource(kStreamPeriodMs));
        if (!rc.isEmpty())
            QVERIFY(AppendRcSection(B->Dir.path(), rc));
    }

    // Shows the window without a nested loop and waits until reports land.
    void ShowAndWaitForReports() {
        fmDeviceInfo->show();
        QVERIFY(WaitUntil(
            [] { return !FieldText("eDevName").isEmpty() && !FieldText("eLat").isEmpty(); },
            kFillWaitMs));
        QVERIFY(fmDeviceInfo->Streaming);
    }

    void WaitForSimLine(const QString& line) {
        QVERIFY2(
            WaitUntil([this, &line] { return B->Sim.ReceivedLines().contains(line); }, kFillWaitMs),
            qPrintable(B->Sim.ReceivedLines().join(QLatin1Char('|'))));
    }

    // The log lines of what was sent (the device's echo may repeat a password).
    QString WrittenLogLines() const {
        QStringList sent;
        for (const QString& line : B->Log().split(QLatin1Char('\n')))
            if (line.startsWith(QLatin1Char('>')))
                sent << line;
        return sent.join(QLatin1Char('\n'));
    }

private Q_SLOTS:
    void cleanup() {
        if (B && fmDeviceInfo && fmDeviceInfo->isVisible())
            fmDeviceInfo->done(QDialog::Rejected);
        EndBench(B);
    }

    void windowHasEveryFieldReadOnlyAndItsControls() {
        StartBench();
        QCOMPARE(fmDeviceInfo->windowTitle(), QString("Состояние устройства"));
        for (const char* name : kAllFields) {
            auto* e = fmDeviceInfo->findChild<QLineEdit*>(QString::fromLatin1(name));
            QVERIFY2(e, name);
            QVERIFY2(e->isReadOnly(), name);
        }
        // The check's page holds the vehicle and the installer; the groups
        // hold the fields and nothing else.
        QCOMPARE(
            fmDeviceInfo->findChild<QWidget*>("StatusGroups")->findChildren<QLineEdit*>().size(),
            int(std::size(kAllFields)));
        QCOMPARE(fmDeviceInfo->tcPages->currentIndex(), 0);
        QCOMPARE(fmDeviceInfo->tcPages->tabText(1), QString("Графики"));
        QVERIFY(fmDeviceInfo->tcPages->widget(1)->isAncestorOf(fmDeviceInfo->pCheck));
        QCOMPARE(fmDeviceInfo->pCheck->title(), QString("Проверка установки"));
        for (QCheckBox* c :
             {fmDeviceInfo->cDState1, fmDeviceInfo->cDState2, fmDeviceInfo->cDState3})
            QVERIFY(!c->isEnabled());
        QCOMPARE(fmDeviceInfo->pGSMStr->size(), QSize(53, 17));
        QCOMPARE(fmDeviceInfo->btnStart->text(), QString("Начать обмен"));
        QCOMPARE(fmDeviceInfo->btnStop->text(), QString("Остановить"));
        QCOMPARE(fmDeviceInfo->btnClose->text(), QString("Закрыть"));
        QVERIFY(fmDeviceInfo->btnStart->isEnabled());
        QVERIFY(!fmDeviceInfo->btnStop->isEnabled());
        QCOMPARE(fmDeviceInfo->btnGoMap->toolTip(), QString("Показать на карте"));
        QCOMPARE(fmDeviceInfo->lMemoryOverflow->text(),
                 QString("Переполнение памяти, возможна потеря данных"));
        QVERIFY(fmDeviceInfo->lMemoryOverflow->wordWrap());
        QCOMPARE(fmDeviceInfo->lMemoryOverflow->palette().color(QPalette::WindowText),
                 fmDeviceInfo->palette().color(QPalette::Window));
        QVERIFY(fmDeviceInfo->bgRC->isHidden());
    }

    void windowSizeFitsTheRoom_data() {
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<QSize>("room");
        QTest::addColumn<QSize>("fitted");
        const QSize laptop(1350, 700);
        QTest::newRow("fits") << QSize(1000, 600) << laptop << QSize(1000, 600);
        QTest::newRow("exactly") << laptop << laptop << laptop;
        QTest::newRow("too high: bar beside") << QSize(1200, 860) << laptop << QSize(1215, 700);
        QTest::newRow("too wide: bar below") << QSize(1400, 500) << laptop << QSize(1350, 515);
        QTest::newRow("bar pushes the width over")
            << QSize(1340, 860) << laptop << QSize(1350, 700);
        QTest::newRow("both") << QSize(1200, 860) << QSize(800, 600) << QSize(800, 600);
    }
    void windowSizeFitsTheRoom() {
        QFETCH(QSize, wanted);
        QFETCH(QSize, room);
        QFETCH(QSize, fitted);
        QCOMPARE(FitWindowSize(wanted, room, 15), fitted);
    }

    // The offscreen screen (800 x 600) is smaller than the window's content:
    // the window stays on it and its groups scroll, every field in reach.
    void windowFitsTheScreenAndScrolls() {
        StartBench();
        const QRect room = fmDeviceInfo->screen()->availableGeometry();
        fmDeviceInfo->show();
        QVERIFY(QTest::qWaitForWindowExposed(fmDeviceInfo));
        QVERIFY(fmDeviceInfo->width() <= room.width());
        QVERIFY(fmDeviceInfo->height() <= room.height());
        QCOMPARE(fmDeviceInfo->minimumSize(), fmDeviceInfo->maximumSize());
        auto* scroll = fmDeviceInfo->findChild<QScrollArea*>();
        QVERIFY(scroll);
        QVERIFY(scroll->widget()->sizeHint().height() > room.height() ||
                scroll->widget()->sizeHint().width() > room.width());
        QVERIFY(scroll->verticalScrollBar()->maximum() > 0 ||
                scroll->horizontalScrollBar()->maximum() > 0);
        for (const char* name : {"eSimStatus", "eSlotsFree", "eACC_SLEEP_TIMER", "ePortName"}) {
            QLineEdit* e = fmDeviceInfo->Field(QString::fromLatin1(name));
            // The whole field, not only its cursor as ensureWidgetVisible does.
            const QPoint at = e->mapTo(scroll->widget(), QPoint(0, 0));
            scroll->ensureVisible(at.x() + e->width() / 2, at.y() + e->height() / 2,
                                  e->width() / 2 + 1, e->height() / 2 + 1);
            QCoreApplication::processEvents();
            const QRect shown(e->mapTo(scroll->viewport(), QPoint(0, 0)), e->size());
            QVERIFY2(scroll->viewport()->rect().contains(shown),
                     qPrintable(QStringLiteral("%1 %2,%3 %4x%5 in %6x%7")
                                    .arg(QLatin1String(name))
                                    .arg(shown.x())
                                    .arg(shown.y())
                                    .arg(shown.width())
                                    .arg(shown.height())
                                    .arg(scroll->viewport()->width())
                                    .arg(scroll->viewport()->height())));
        }
        for (QWidget* b : {static_cast<QWidget*>(fmDeviceInfo->btnClose),
                           static_cast<QWidget*>(fmDeviceInfo->btnStop)})
            QVERIFY(fmDeviceInfo->rect().contains(
                QRect(b->mapTo(fmDeviceInfo, QPoint(0, 0)), b->size())));
        fmDeviceInfo->done(QDialog::Accepted);
    }

    // The plots and the check follow the same stream as the fields; the
    // thresholds come from the settings at the showing; the report carries
    // the unit, the vehicle and the verdict. The pages are saved as pictures
    // under the build folder.
    void plotsAndCheckFollowTheStreamAndReport() {
        StartBench();
        B->Sim.SetStreamPeriod(kFastStreamPeriodMs);
        B->Sim.Installation().SetFixDelay(kFastStreamPeriodMs);
        B->Sim.Installation().SetIgnitionToggle(kFastIgnitionToggleMs);
        B->Sim.UseInstallationStream();
        TCheckSettings quick;
        quick.FixHoldSeconds = 1;
        quick.MemoryWindowSeconds = 2;
        fmDeviceInfo->SetCheckSettingsSource([quick] { return quick; });
        fmDeviceInfo->show();
        TCheckPanel* panel = fmDeviceInfo->pCheck;
        QVERIFY2(WaitUntil([panel] { return panel->lVerdict->text() == "Годен"; }, kFillWaitMs),
                 qPrintable(panel->lReasons->text()));
        QCOMPARE(panel->lvCriteria->item(ckIgnition, TCheckPanel::colState)->text(),
                 QString("норма"));
        QVERIFY(!fmDeviceInfo->CheckRecord().History().Points(tsSupply).isEmpty());
        QTest::qWait(kPlotRefreshMs + kSettleMs);
        QVERIFY(!fmDeviceInfo->pPlots->Charts()->Series(tsSignal)->points().isEmpty());
        // The new page takes no more room than the fields did: the window
        // fits the screen as it did (scrolling where the screen is small).
        const QSize groups = fmDeviceInfo->tcPages->widget(0)->sizeHint();
        const QSize plots = fmDeviceInfo->tcPages->widget(1)->sizeHint();
        QVERIFY(plots.width() <= groups.width() && plots.height() <= groups.height());

        panel->ePlate->setText("А123ВС 77");
        panel->eInstaller->setText("Петров");
        const QString path = B->Dir.filePath("window-report.pdf");
        QString error;
        QVERIFY2(fmDeviceInfo->SaveReport(path, &error), qPrintable(error));
        const QString text = PdfText(path);
        for (const char* part : {"356938035643809", "Заключение: Годен", "А123ВС 77", "Петров"})
            QVERIFY2(text.contains(QString::fromUtf8(part)), part);
        QVERIFY(B->Log().contains("Отчёт о проверке сохранён"));

        const QDir build(QCoreApplication::applicationDirPath() + "/..");
        fmDeviceInfo->tcPages->setCurrentIndex(1);
        QCoreApplication::processEvents();
        const QString shot = build.filePath("status-window-check.png");
        QVERIFY(fmDeviceInfo->tcPages->grab().save(shot));
        qInfo("status window's plots and check: %s", qPrintable(shot));
        fmDeviceInfo->tcPages->setCurrentIndex(0);
        fmDeviceInfo->SetCheckSettingsSource(nullptr);
    }

    void fieldsShowTypicalValuesWhole_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("server") << "eServer"
                                << "gps.example.net:20211";
        QTest::newRow("access point") << "eAPN"
                                      << "internet(gdata,gdata)";
        QTest::newRow("operator") << "eGSMOp"
                                  << "MegaFon RUS 25002";
        QTest::newRow("firmware") << "eFW_Ver"
                                  << "2.14.3 build 1187";
    }
    void fieldsShowTypicalValuesWhole() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        StartBench();
        QLineEdit* e = fmDeviceInfo->Field(field);
        e->setText(value);
        QCOMPARE(e->toolTip(), value);
        QVERIFY2(e->fontMetrics().horizontalAdvance(value) + 6 <= e->width(),
                 qPrintable(QString::number(e->width())));
        // Longer than any field: still there to read in full.
        const QString longer = value + value + value;
        e->setText(longer);
        QCOMPARE(e->toolTip(), longer);
    }

    void connectionGroupFollowsTheLink() {
        StartBench();
        QVERIFY(fmMain->Link->OpenPort());
        fmMain->Link->UpdateLinkStatus();
        QCOMPARE(FieldText("ePortName"), B->Sim.SlavePath());
        QCOMPARE(FieldText("ePortRate"), QString("115200"));
        QCOMPARE(FieldText("ePortConn"), QString("Активно"));
        QCOMPARE(FieldText("eCmdMode"), QString("Не активно"));
        fmDeviceInfo->ShowConnectionState("COM7", "9600", false, true);
        QCOMPARE(FieldText("ePortName"), QString("COM7"));
        QCOMPARE(FieldText("ePortConn"), QString("Не активно"));
        QCOMPARE(FieldText("eCmdMode"), QString("Активно"));
    }

    void lineWithLeadingLineFeedIsLoggedAndParsed() {
        StartBench();
        fmDeviceInfo->ComDataPacket1Packet("\n+RESP:DPRM,VT-1,77,356000000000009,1.2 ");
        QCOMPARE(FieldText("eDevName"), QString("VT-1"));
        QCOMPARE(FieldText("eFW_Ver"), QString("1.2"));
        QVERIFY(B->Log().contains("<\n<+RESP:DPRM,VT-1,77,356000000000009,1.2 "));
        // A short report changes nothing but is logged.
        fmDeviceInfo->ComDataPacket1Packet("+RESP:DPRM,X,Y,Z");
        QCOMPARE(FieldText("eDevName"), QString("VT-1"));
        QVERIFY(B->Log().contains("<+RESP:DPRM,X,Y,Z"));
    }

    void indicatorsFollowTheirReports() {
        StartBench();
        fmDeviceInfo->ParseStatusReport("+RESP:SFPT,100,300,200,1,2");
        QCOMPARE(fmDeviceInfo->lMemoryOverflow->palette().color(QPalette::WindowText),
                 QColor(Qt::red));
        fmDeviceInfo->ParseStatusReport("+RESP:SFPT,100,180,200,1,2");
        QCOMPARE(FieldText("eMemoryFreePercent"), QString("25%"));
        QCOMPARE(fmDeviceInfo->lMemoryOverflow->palette().color(QPalette::WindowText),
                 fmDeviceInfo->palette().color(QPalette::Window));
        fmDeviceInfo->ParseStatusReport(
            "+RESP:SREP,1,2,3,4,5,136,7,8,9,10,11,12,13,14,15,16,17,18,19,20");
        QCOMPARE(FieldText("eDRelay1"), QString("Разомкнуто"));
        QVERIFY(fmDeviceInfo->cDState1->isChecked());
        QVERIFY(!fmDeviceInfo->cDState2->isChecked());
        QVERIFY(!fmDeviceInfo->cDState3->isChecked());
        fmDeviceInfo->ParseStatusReport("+RESP:SGSM,1,1,8,0,MTS,15,host,21,apn,user,pw");
        QCOMPARE(fmDeviceInfo->pGSMStr->Level(), 15);
        fmDeviceInfo->ParseStatusReport("+RESP:SGSM,1,1,8,0,MTS,99,host,21,apn,user,pw");
        QCOMPARE(fmDeviceInfo->pGSMStr->Level(), 31);
    }

    void mapAddressCarriesTheShownCoordinates() {
        StartBench();
        fmDeviceInfo->ParseStatusReport(
            "+RESP:SNAV,120000,5545.1234N,03737.1234E,0,0,010124,3,8,150,14");
        QCOMPARE(fmDeviceInfo->MapAddress(),
                 QString::fromLatin1(kMapSearchAddress) + "55°45.1234'N,037°37.1234'E");
        const QUrl url = fmDeviceInfo->MapUrl();
        QVERIFY(url.isValid());
        QCOMPARE(url.path(), QString("/"));
        QCOMPARE(url.query(QUrl::FullyDecoded), QString("text=55°45.1234'N,037°37.1234'E"));
        QCOMPARE(url.toString(), fmDeviceInfo->MapAddress());
        TUrlCatcher catcher;
        QDesktopServices::setUrlHandler(url.scheme(), &catcher, "Open");
        fmDeviceInfo->btnGoMap->click();
        QDesktopServices::unsetUrlHandler(url.scheme());
        QCOMPARE(catcher.Urls, QList<QUrl>({url}));
    }

    void stopWhileIdleStillSendsTheStopCommand() {
        StartBench();
        QVERIFY(!fmDeviceInfo->Streaming);
        fmDeviceInfo->StopStreaming();
        WaitForSimLine(kStopLine);
        QVERIFY(B->Log().contains(">AT+SDAD=*,,0,,,,,,,,,,,"));
        QVERIFY2(!WrittenLogLines().contains(kPassword), qPrintable(B->Log()));
    }

    void openingOutsideCommandModeConnectsThenStreams() {
        StartBench();
        QVERIFY(!fmMain->Link->InCommandMode);
        bool filled = false;
        B->Driver->SetHandler([&filled](QWidget* modal, qint64) {
            if (modal != fmDeviceInfo)
                return false;
            if (FieldText("eSimStatus").isEmpty() || FieldText("eAPN").isEmpty() ||
                FieldText("eUptime").isEmpty() || FieldText("ePtrWrite").isEmpty())
                return false;
            filled = true;
            fmDeviceInfo->btnClose->click();
            return true;
        });
        fmMain->N4Click(); // modal, as from the menu
        QVERIFY(filled);
        QVERIFY(fmMain->Link->InCommandMode);
        const QStringList lines = B->Sim.ReceivedLines();
        const int code = lines.indexOf(QString::fromLatin1(TTrackerSim::kAccessCode));
        const int start = lines.indexOf(kStartLine);
        const int stop = lines.indexOf(kStopLine);
        QVERIFY2(code >= 0 && start > code && stop > start, qPrintable(lines.join('|')));
        QCOMPARE(lines.last(), kStopLine); // no "!" without remote-control entries
        QVERIFY(B->Log().contains(">AT+SDAD=*,,3,,,,,,,,,,,"));
        // The echo of the start command came through the framer, masked.
        QVERIFY2(B->Log().contains("<AT+SDAD=*,,3,,,,,,,,,,,"), qPrintable(B->Log()));
        QVERIFY(!B->Log().contains(kStartLine));
        QVERIFY2(!WrittenLogLines().contains(kPassword), qPrintable(B->Log()));
        QCOMPARE(FieldText("eCmdMode"), QString("Активно"));
        QCOMPARE(FieldText("eGSMOp"), QString("MTS, RUS"));
        QVERIFY(!B->Sim.Streaming());
    }

    void unreachableCommandModeLeavesTheStartButtonEnabled() {
        StartBench();
        B->Sim.SetSilent(true);
        bool cancelled = false;
        B->Driver->SetHandler([&cancelled](QWidget* modal, qint64 upMs) {
            if (modal != static_cast<QWidget*>(fmWaitingData) || upMs < kSettleMs)
                return false;
            fmWaitingData->btnCancel->click();
            cancelled = true;
            return true;
        });
        fmDeviceInfo->show();
        QVERIFY(WaitUntil([&cancelled] { return cancelled; }, kFillWaitMs));
        QTest::qWait(kSettleMs);
        QVERIFY(fmDeviceInfo->isVisible());
        QVERIFY(!fmDeviceInfo->Streaming);
        QVERIFY(fmDeviceInfo->btnStart->isEnabled());
        QVERIFY(!fmDeviceInfo->btnStop->isEnabled());
        QVERIFY(!fmDeviceInfo->ComDataPacket1->ComPort());
        QVERIFY(!B->Sim.ReceivedLines().contains(kStartLine));
    }

    void escStopsAndStartRestarts() {
        StartBench();
        ShowAndWaitForReports();
        QVERIFY(B->Sim.Streaming());
        QVERIFY(!fmDeviceInfo->btnStart->isEnabled());
        QTest::keyClick(fmDeviceInfo, Qt::Key_Escape);
        QVERIFY(fmDeviceInfo->isVisible());
        QVERIFY(!fmDeviceInfo->Streaming);
        QVERIFY(fmDeviceInfo->btnStart->isEnabled());
        QVERIFY(!fmDeviceInfo->btnStop->isEnabled());
        QVERIFY(B->Sim.ReceivedLines().contains(kStopLine));
        QVERIFY(!B->Sim.Streaming());
        // Esc again with nothing streaming neither closes nor sends.
        B->Sim.ClearReceived();
        QTest::keyClick(fmDeviceInfo, Qt::Key_Escape);
        QVERIFY(fmDeviceInfo->isVisible());
        QVERIFY(B->Sim.ReceivedLines().isEmpty());

        const QString uptime = FieldText("eUptime");
        fmDeviceInfo->btnStart->click();
        QVERIFY(fmDeviceInfo->Streaming);
        WaitForSimLine(kStartLine);
        QVERIFY(WaitUntil([&uptime] { return FieldText("eUptime") != uptime; }, kFillWaitMs));
    }

    void remoteButtonsSendTheirValueExactly() {
        StartBench(QStringLiteral("Reset=X\r\nEmpty=\r\nBeep=AT+BEEP=1,2\r\n"));
        ShowAndWaitForReports();
        QVERIFY(!fmDeviceInfo->bgRC->isHidden());
        QCOMPARE(fmDeviceInfo->RemoteButtons,
                 QStringList({"Reset=X", "Empty=", "Beep=AT+BEEP=1,2"}));
        QCOMPARE(RemoteButton(0)->text(), QString("Reset"));
        QCOMPARE(RemoteButton(1)->text(), QString("Empty"));
        QCOMPARE(RemoteButton(2)->text(), QString("Beep"));
        QCOMPARE(RemoteButton(0)->width(), 64);
        QVERIFY(!RemoteButton(3));

        B->Sim.ClearReceived();
        RemoteButton(0)->click();
        QVERIFY(B->Sim.WaitForIdle(kFillWaitMs));
        QVERIFY(WaitUntil([this] { return !B->Sim.ReceivedBytes().isEmpty(); }, kFillWaitMs));
        QTest::qWait(kSettleMs);
        QCOMPARE(B->Sim.ReceivedBytes(), QByteArray("X"));
        QVERIFY(B->Log().contains("\n>X"));
        QVERIFY(fmDeviceInfo->Streaming); // the stream goes on

        B->Sim.ClearReceived();
        RemoteButton(1)->click();
        QTest::qWait(kSettleMs);
        QVERIFY(B->Sim.ReceivedBytes().isEmpty());

        RemoteButton(2)->click();
        QVERIFY(WaitUntil([this] { return !B->Sim.ReceivedBytes().isEmpty(); }, kFillWaitMs));
        QTest::qWait(kSettleMs);
        QCOMPARE(B->Sim.ReceivedBytes(), QByteArray("AT+BEEP=1,2"));
    }

    void closeSendsStopThenBangOnlyWithRemoteRow_data() {
        QTest::addColumn<QString>("rc");
        QTest::addColumn<bool>("bang");
        QTest::newRow("with RC") << "Reset=X\r\n" << true;
        QTest::newRow("without RC") << "" << false;
    }
    void closeSendsStopThenBangOnlyWithRemoteRow() {
        QFETCH(QString, rc);
        QFETCH(bool, bang);
        StartBench(rc);
        ShowAndWaitForReports();
        B->Sim.ClearReceived();
        fmDeviceInfo->btnClose->click();
        QVERIFY(!fmDeviceInfo->isVisible());
        QCOMPARE(fmDeviceInfo->result(), int(QDialog::Accepted));
        if (bang)
            WaitForSimLine(QStringLiteral("!"));
        QTest::qWait(kSettleMs);
        const QStringList expected =
            bang ? QStringList({kStopLine, QStringLiteral("!")}) : QStringList({kStopLine});
        QCOMPARE(B->Sim.ReceivedLines(), expected);
        QVERIFY(!B->Sim.Streaming());
        QVERIFY(!fmDeviceInfo->ComDataPacket1->ComPort());
    }

    void closingByWindowFrameRunsTheCloseSequence() {
        StartBench();
        ShowAndWaitForReports();
        B->Sim.ClearReceived();
        fmDeviceInfo->close();
        QVERIFY(!fmDeviceInfo->isVisible());
        QCOMPARE(B->Sim.ReceivedLines(), QStringList({kStopLine}));
        // Shown again: fields keep their texts, streaming starts anew.
        const QString imei = FieldText("eIMEI");
        QVERIFY(!imei.isEmpty());
        fmDeviceInfo->show();
        QCOMPARE(FieldText("eIMEI"), imei);
        WaitForSimLine(kStartLine);
        QVERIFY(fmDeviceInfo->Streaming);
    }

    void remoteCommandPurgesInputNotYetFramed() {
        StartBench(QStringLiteral("Reset=X\r\n"));
        ShowAndWaitForReports();
        B->Sim.SetStatusReportSource([](int) { return QStringList(); });
        B->Sim.SetEcho(false);
        QTest::qWait(kSettleMs); // let what is under way reach the framer
        // Bytes reach the port but not the framer: no events are processed.
        B->Sim.SendRaw("+RESP:DPRM,LOST,1,2,3\r\n");
        QVERIFY(B->Sim.WaitForIdle(kFillWaitMs));
        QThread::msleep(kSettleMs);
        RemoteButton(0)->click();
        B->Sim.SendRaw("+RESP:DPRM,KEPT,1,2,3\r\n");
        QVERIFY(WaitUntil([] { return FieldText("eDevName") == "KEPT"; }, kFillWaitMs));
        QVERIFY(!B->Log().contains("LOST"));
    }

    void partialLineJoinsWhatFollowsTheRemoteCommand() {
        StartBench(QStringLiteral("Reset=X\r\n"));
        ShowAndWaitForReports();
        B->Sim.SetStatusReportSource([](int) { return QStringList(); });
        QTest::qWait(kSettleMs);
        B->Sim.SendRaw("+RESP:DPRM,HALF");
        QVERIFY(WaitUntil([] { return fmDeviceInfo->ComDataPacket1->Buffer().contains("HALF"); },
                          kFillWaitMs));
        RemoteButton(0)->click(); // echoed "X" lands after the half line
        QVERIFY(WaitUntil([] { return fmDeviceInfo->ComDataPacket1->Buffer().endsWith("HALFX"); },
                          kFillWaitMs));
        B->Sim.SendRaw(",1,2,3\r\n");
        QVERIFY(WaitUntil([] { return FieldText("eDevName") == "HALFX"; }, kFillWaitMs));
    }

    void simulatedStreamChangesAndParses() {
        TStatusReports gen(kStreamPeriodMs);
        const TStatusTexts texts = LoadStatusTexts();
        TStatusFields first, later;
        QSet<QString> reports;
        for (int n = 0; n < 3; ++n)
            for (const QString& line : gen.Lines(n)) {
                const TStatusChange c = ParseStatusReport(line, texts, first);
                QVERIFY2(!c.Report.isEmpty(), qPrintable(line));
                reports.insert(c.Report);
            }
        QCOMPARE(reports.size(), 6);
        for (int n = 30; n < 33; ++n)
            for (const QString& line : gen.Lines(n))
                QVERIFY2(!ParseStatusReport(line, texts, later).Report.isEmpty(), qPrintable(line));
        for (const char* moving : {"eLat", "eLon", "eUptime", "ePtrWrite", "eGSMStrength"})
            QVERIFY2(first.Text(moving) != later.Text(moving), moving);
        QVERIFY(first.Text("eLat").contains(QStringLiteral("°")));
        // The write pointer wraps at the end of the flash.
        const qint64 records = TStatusReports::kFlashSize / TStatusReports::kRecordBytes;
        TStatusFields wrapped;
        for (const QString& line : gen.Lines(int(records) + 1))
            ParseStatusReport(line, texts, wrapped);
        QCOMPARE(wrapped.Text("ePtrWrite"), QString("00000040"));
        QCOMPARE(wrapped.Text("eFlashSize"), QString::number(TStatusReports::kFlashSize));
        // Within one cycle the overflow warning comes on and goes off again.
        QSet<bool> overflow;
        for (int n = 0; n <= TStatusReports::kOverflowCycle; ++n) {
            TStatusFields f;
            for (const QString& line : gen.Lines(n))
                ParseStatusReport(line, texts, f);
            overflow.insert(f.MemoryOverflow);
        }
        QCOMPARE(overflow.size(), 2);
    }

    void generatorFormatsCoordinates_data() {
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        QTest::addColumn<QString>("latText");
        QTest::addColumn<QString>("lonText");
        QTest::newRow("moscow") << 55.752057 << 37.618523 << "5545.1234N"
                                << "03737.1114E";
        QTest::newRow("south west") << -33.5 << -70.25 << "3330.0000S"
                                    << "07015.0000W";
        QTest::newRow("minute carry") << 10.9999999 << 0.0 << "1100.0000N"
                                      << "00000.0000E";
    }
    void generatorFormatsCoordinates() {
        QFETCH(double, lat);
        QFETCH(double, lon);
        QFETCH(QString, latText);
        QFETCH(QString, lonText);
        QCOMPARE(TStatusReports::FormatLatitude(lat), latText);
        QCOMPARE(TStatusReports::FormatLongitude(lon), lonText);
    }
};

QTEST_MAIN(TestStatusWindow)
#include "tst_statuswindow.moc"
