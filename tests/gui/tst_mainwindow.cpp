#include "app/Forms.h"
#include "app/StatusBarPanels.h"
#include "app/TfmMain.h"
#include "app/TfmSettings.h"
#include "link/ComPort.h"
#include "settings/Settings.h"
#include "support/ModalDriver.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

constexpr int kSettingsWatchdogMs = 5000;

QStringList MenuCaptions(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions())
        out.append(a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

TCmdPage Page(const QString& id, const QString& name) {
    TCmdPage p;
    p.PageId = id;
    p.PageName = name;
    return p;
}

// A pseudo-terminal whose device side the main window can open as its port.
class TPty {
public:
    TPty() {
        FMaster = posix_openpt(O_RDWR | O_NOCTTY);
        if (FMaster >= 0 && grantpt(FMaster) == 0 && unlockpt(FMaster) == 0)
            FSlave = QString::fromLocal8Bit(ptsname(FMaster));
    }
    ~TPty() {
        if (FMaster >= 0)
            close(FMaster);
    }
    TPty(const TPty&) = delete;
    TPty& operator=(const TPty&) = delete;
    QString SlavePath() const { return FSlave; }

private:
    int FMaster = -1;
    QString FSlave;
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
    QTemporaryDir FDir;

private Q_SLOTS:
    void initTestCase() { SetSettingsFolder(FDir.path()); }

    void frameHasCaptionLogAndStatusPanels() {
        TfmMain fm;
        QCOMPARE(fm.windowTitle(), QStringLiteral("Velmora"));
        QCOMPARE(fm.LogGroupBox->title(), QStringLiteral("Протокол"));
        QVERIFY(fm.LogLines->isReadOnly());
        QCOMPARE(fm.LogLines->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(fm.LogLines->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        for (int i = 0; i < kStatusPanelCount; ++i)
            QCOMPARE(fm.StatusBar1->PanelWidth(i), kStatusPanelWidths[i]);
        QVERIFY(!fm.Link->InCommandMode);
        QVERIFY(fm.H > 0 && fm.W > 0);
    }

    // Client area 844 x 665 below the menu bar: pages, splitter, the
    // 216-high log group and the status bar share its height, whatever
    // height the menu bar takes in the current font.
    void clientAreaBelowTheMenuIs844By665_data() {
        QTest::addColumn<qreal>("fontScale");
        QTest::newRow("platform font") << 1.0;
        QTest::newRow("larger font") << 1.8;
    }
    void clientAreaBelowTheMenuIs844By665() {
        QFETCH(qreal, fontScale);
        const QFont old = QApplication::font();
        QFont font = old;
        font.setPointSizeF(old.pointSizeF() * fontScale);
        QApplication::setFont(font);
        {
            TfmMain fm;
            fm.show();
            QVERIFY(QTest::qWaitForWindowExposed(&fm));
            QCOMPARE(fm.centralWidget()->width(), 844);
            QCOMPARE(fm.centralWidget()->height() + fm.StatusBar1->height(), 665);
            QCOMPARE(fm.height() - fm.menuBar()->height(), 665);
            QCOMPARE(fm.LogGroupBox->height(), 216);
            QCOMPARE(fm.Splitter1->handleWidth(), 3);
        }
        QApplication::setFont(old);
    }

    // Tahoma 8 pt for the window and all it holds; the unit is measured in
    // that font, and the shipped pages then fit the window's width.
    void windowFontSetsTheUnitAndPagesFitTheWidth() {
        TfmMain fm;
        QCOMPARE(fm.font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(fm.font().pointSize(), 8);
        QCOMPARE(fm.LogLines->font().pointSize(), 8);
        QCheckBox probe(QStringLiteral("W"));
        probe.setFont(fm.font());
        QCOMPARE(fm.H, probe.sizeHint().height());
        QVERIFY(fm.PageControl1->count() > 0); // the shipped profile beside the test
        fm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fm));
        for (int i = 0; i < fm.PageControl1->count(); ++i) {
            fm.PageControl1->setCurrentIndex(i);
            QCoreApplication::processEvents();
            const auto areas = fm.PageControl1->widget(i)->findChildren<QScrollArea*>();
            QVERIFY(!areas.isEmpty());
            for (const QScrollArea* area : areas)
                QVERIFY2(area->widget()->width() <= area->viewport()->width(),
                         qPrintable(QStringLiteral("page %1: %2 > %3")
                                        .arg(i)
                                        .arg(area->widget()->width())
                                        .arg(area->viewport()->width())));
        }
    }

    void progressBarSitsInsidePanelTwo() {
        TfmMain fm;
        const QRect g = fm.ProgressBar1->geometry();
        QCOMPARE(fm.ProgressBar1->parentWidget(), fm.StatusBar1);
        QCOMPARE(g.left(), 400 + 50 + 1);
        QCOMPARE(g.top(), 0);
        QCOMPARE(g.width(), 200 - 2);
        QCOMPARE(g.height(), fm.StatusBar1->ClientHeight());
    }

    void menusCarryTheirCaptionsAndSeparators() {
        TfmMain fm;
        const QList<QAction*> top = fm.menuBar()->actions();
        QCOMPARE(top.size(), 4);
        QCOMPARE(top[0]->text(), QStringLiteral("Файл"));
        QCOMPARE(
            MenuCaptions(top[0]->menu()),
            QStringList({QStringLiteral("Загрузить конфигурацию из файла"),
                         QStringLiteral("Сохранить конфигурацию в файл"),
                         QStringLiteral("Сравнить с файлом..."), "-", QStringLiteral("Выход")}));
        QCOMPARE(top[1]->text(), QStringLiteral("Правка"));
        QCOMPARE(MenuCaptions(top[1]->menu()), QStringList({QStringLiteral("Найти параметр...")}));
        QCOMPARE(fm.actFind->shortcut(), QKeySequence(QKeySequence::Find));
        QCOMPARE(top[2]->text(), QStringLiteral("Связь"));
        QCOMPARE(MenuCaptions(top[2]->menu()),
                 QStringList({QStringLiteral("Параметры связи с трекером..."),
                              QStringLiteral("Установить связь с трекером"),
                              QStringLiteral("Сохранить настройки в энергонезависимой памяти"),
                              QStringLiteral("Сравнить с трекером"), "-",
                              QStringLiteral("Состояние устройства"), "-",
                              QStringLiteral("Выйти из командного режима")}));
        QCOMPARE(top[3]->text(), QStringLiteral("О программе"));
        QCOMPARE(top[3]->menu(), nullptr);
    }

    void fileDialogsShareFilterAndExtension() {
        TfmMain fm;
        for (QFileDialog* d : {fm.OpenDialog1, fm.SaveDialog1}) {
            QCOMPARE(d->defaultSuffix(), QStringLiteral("zxml"));
            QCOMPARE(d->nameFilters().size(), 2);
            QVERIFY(d->nameFilters().first().contains(QStringLiteral("*.zxml")));
            QCOMPARE(QDir(d->directory()).absolutePath(), QDir::current().absolutePath());
        }
        QCOMPARE(fm.OpenDialog1->fileMode(), QFileDialog::ExistingFile);
        QCOMPARE(fm.SaveDialog1->acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(!fm.SaveDialog1->testOption(QFileDialog::DontConfirmOverwrite));
    }

    void statusTipsGoToPanelZero() {
        TfmMain fm;
        QStatusTipEvent tip(QStringLiteral("hint text"));
        QCoreApplication::sendEvent(&fm, &tip);
        QCOMPARE(fm.StatusPanelText(0), QStringLiteral("hint text"));
    }

    void applySettingsEnablesPagesByExactId() {
        TfmMain fm;
        DevCommands = {Page("main", "Основные"), Page("gsm", "GSM"), Page("io", "Входы")};
        while (fm.PageControl1->count() > 0)
            fm.PageControl1->removeTab(0);
        for (const TCmdPage& p : DevCommands)
            fm.PageControl1->addTab(new QWidget, p.PageName);

        Settings.EnabledPages = {QStringLiteral("gsm"), QStringLiteral("MAIN"),
                                 QStringLiteral("nosuch")};
        fm.ApplySettings();
        QVERIFY(!fm.PageControl1->isTabEnabled(0));
        QCOMPARE(fm.PageControl1->tabText(0), QStringLiteral("Основные(*)"));
        QVERIFY(fm.PageControl1->isTabEnabled(1));
        QCOMPARE(fm.PageControl1->tabText(1), QStringLiteral("GSM"));
        QVERIFY(!fm.PageControl1->isTabEnabled(2));

        Settings.EnabledPages = {QStringLiteral("main"), QStringLiteral("gsm"),
                                 QStringLiteral("io")};
        fm.ApplySettings();
        for (int i = 0; i < 3; ++i) {
            QVERIFY(fm.PageControl1->isTabEnabled(i));
            QCOMPARE(fm.PageControl1->tabText(i), DevCommands[i].PageName);
        }

        Settings.EnabledPages.clear();
        fm.ApplySettings();
        for (int i = 0; i < 3; ++i) {
            QVERIFY(!fm.PageControl1->isTabEnabled(i));
            QCOMPARE(fm.PageControl1->tabText(i), DevCommands[i].PageName + "(*)");
        }
        DevCommands.clear();
    }

    void applySettingsKeepsTheShownPage() {
        TfmMain fm;
        DevCommands = {Page("main", "Основные"), Page("gsm", "GSM"), Page("io", "Входы")};
        while (fm.PageControl1->count() > 0)
            fm.PageControl1->removeTab(0);
        for (const TCmdPage& p : DevCommands)
            fm.PageControl1->addTab(new QWidget, p.PageName);
        fm.PageControl1->setCurrentIndex(0);
        Settings.EnabledPages = {QStringLiteral("main"), QStringLiteral("gsm"),
                                 QStringLiteral("io")};
        fm.ApplySettings();
        QCOMPARE(fm.PageControl1->currentIndex(), 0);
        fm.PageControl1->setCurrentIndex(1);
        fm.ApplySettings();
        QCOMPARE(fm.PageControl1->currentIndex(), 1);
        DevCommands.clear();
        Settings = TSettings();
    }

    // Re-applying the settings closes an open port; the command-mode flag is
    // the link's business and stays as it was.
    void applySettingsClosesAnOpenPortAndKeepsCommandMode() {
        TPty pty;
        QVERIFY(!pty.SlavePath().isEmpty());
        TfmMain fm;
        Settings.Link.Port = pty.SlavePath();
        fm.ApplySettings();
        fm.SetConnected(true);
        QVERIFY(fm.Link->ComPort1->Connected());
        fm.Link->InCommandMode = true;
        fm.ApplySettings();
        QVERIFY(!fm.Link->ComPort1->Connected());
        QVERIFY(fm.Link->InCommandMode);
        fm.Link->InCommandMode = false;
        Settings = TSettings();
    }

    // The settings menu item re-applies only when the dialog closes with OK.
    void settingsItemAppliesOnlyOnOk_data() {
        QTest::addColumn<bool>("ok");
        QTest::newRow("cancel keeps the port open") << false;
        QTest::newRow("ok re-applies and closes it") << true;
    }
    void settingsItemAppliesOnlyOnOk() {
        QFETCH(bool, ok);
        TPty pty;
        QVERIFY(!pty.SlavePath().isEmpty());
        TfmMain fm;
        TfmSettings dialog(&fm);
        fmSettings = &dialog;
        Settings.Link.Port = pty.SlavePath();
        fm.ApplySettings();
        fm.SetConnected(true);
        QVERIFY(fm.Link->ComPort1->Connected());
        // A button of the dialog once it is up; nothing is left blocking.
        testkit::TModalDriver driver(nullptr, kSettingsWatchdogMs);
        driver.SetHandler([ok](QWidget* modal, qint64) {
            auto* dlg = qobject_cast<TfmSettings*>(modal);
            if (dlg)
                (ok ? dlg->ApplyBtn : dlg->CancelBtn)->click();
            return dlg != nullptr;
        });
        fm.Parameters1Click();
        fmSettings = nullptr;
        QVERIFY(driver.WatchdogClosed.isEmpty());
        QCOMPARE(fm.Link->ComPort1->Connected(), !ok);
        fm.SetConnected(false);
        Settings = TSettings();
    }

    // Data bits outside 5..8, and parity or stop bits the port does not know,
    // fall back to 8, "None" and "1"; known names match without regard to case.
    void applySettingsConvertsLineSettings_data() {
        QTest::addColumn<int>("dataBits");
        QTest::addColumn<QString>("parity");
        QTest::addColumn<QString>("stopBits");
        QTest::addColumn<int>("wantDataBits");
        QTest::addColumn<int>("wantParity");
        QTest::addColumn<int>("wantStopBits");
        QTest::newRow("defaults") << 8 << "None"
                                  << "1" << int(dbEight) << int(prNone) << int(sbOneStopBit);
        QTest::newRow("seven odd two") << 7 << "odd"
                                       << "2" << int(dbSeven) << int(prOdd) << int(sbTwoStopBits);
        QTest::newRow("five mark one and a half")
            << 5 << "MARK"
            << "1.5" << int(dbFive) << int(prMark) << int(sbOne5StopBits);
        QTest::newRow("unknown values") << 9 << "strange"
                                        << "3" << int(dbEight) << int(prNone) << int(sbOneStopBit);
        QTest::newRow("four bits, space")
            << 4 << "Space"
            << "" << int(dbEight) << int(prSpace) << int(sbOneStopBit);
    }
    void applySettingsConvertsLineSettings() {
        QFETCH(int, dataBits);
        QFETCH(QString, parity);
        QFETCH(QString, stopBits);
        QFETCH(int, wantDataBits);
        QFETCH(int, wantParity);
        QFETCH(int, wantStopBits);
        TfmMain fm;
        Settings.Link.DataBits = dataBits;
        Settings.Link.Parity = parity;
        Settings.Link.StopBits = stopBits;
        fm.ApplySettings();
        QCOMPARE(int(fm.Link->ComPort1->DataBits()), wantDataBits);
        QCOMPARE(int(fm.Link->ComPort1->Parity()), wantParity);
        QCOMPARE(int(fm.Link->ComPort1->StopBits()), wantStopBits);
        Settings = TSettings();
    }

    void applySettingsConfiguresThePort() {
        TfmMain fm;
        Settings.Link.Port = QStringLiteral("/dev/nonexistent-velmora");
        Settings.Link.Speed = 19200;
        Settings.Link.Timeout = 400;
        Settings.Link.TimeoutInterval = 120;
        Settings.PortPoll = true;
        fm.ApplySettings();
        QCOMPARE(fm.Link->ComPort1->Port(), Settings.Link.Port);
        QCOMPARE(fm.Link->ComPort1->CustomBaudRate(), 19200u);
        const TComTimeouts t = fm.Link->ComPort1->Timeouts();
        QCOMPARE(t.ReadInterval, 120u);
        QCOMPARE(t.ReadTotalConstant, 400u);
        QCOMPARE(t.WriteTotalConstant, 400u);
        QCOMPARE(t.ReadTotalMultiplier, 0u);
        QCOMPARE(t.WriteTotalMultiplier, 0u);
        Settings = TSettings();
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
