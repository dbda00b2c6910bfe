#include "app/ColorList.h"
#include "app/TfmSettings.h"
#include "base/IniFile.h"
#include "profile/DevCommands.h"
#include "profile/ProfileLoader.h"
#include "settings/Settings.h"
#include "support/ModalDriver.h"
#include "support/ShippedProfile.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kWatchdogMs = 10000;

void FillProfileByHand() {
    DevCommands.clear();
    for (const char* id : {"main", "gsm", "nav"}) {
        TCmdPage page;
        page.PageId = QLatin1String(id);
        page.PageName = QString::fromLatin1(id).toUpper();
        DevCommands.append(page);
    }
}

// Key presses with the characters as their text; keyClicks knows ASCII only.
void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void SelectAllAndType(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    TypeText(edit, text);
}

QStringList CheckedPages(const QListWidget* list) {
    QStringList checked;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->checkState() == Qt::Checked)
            checked.append(list->item(i)->text());
    }
    return checked;
}

QStringList AllPageNames() {
    QStringList names;
    for (const TCmdPage& page : DevCommands)
        names.append(page.PageName);
    return names;
}

} // namespace

class TestSettingsDialog : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> FDir;
    std::unique_ptr<TfmSettings> FDialog;

    QString IniPath() const { return SettingsFilePath(); }
    void WriteIni(const QByteArray& bytes) {
        QFile f(IniPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QString IniValue(const char* section, const char* key) const {
        return TIniFile(IniPath()).ReadString(QLatin1String(section), QLatin1String(key),
                                              QStringLiteral("<missing>"));
    }
    // Loads the file as the main window does and shows the dialog.
    TfmSettings& Show(const QByteArray& ini = QByteArray()) {
        if (!ini.isNull())
            WriteIni(ini);
        LoadSettings();
        FDialog = std::make_unique<TfmSettings>();
        FDialog->show();
        return *FDialog;
    }

private Q_SLOTS:
    void initTestCase() {
        LoadCommandProfile(testkit::ShippedProfilePath());
        if (DevCommands.size() < 2)
            FillProfileByHand();
    }
    void init() {
        FDir = std::make_unique<QTemporaryDir>();
        QVERIFY(FDir->isValid());
        SetSettingsFolder(FDir->path());
        Settings = TSettings();
    }
    void cleanup() {
        FDialog.reset();
        SetSettingsFolder(QString());
        FDir.reset();
    }

    void showsDefaultsWithoutFile() {
        TfmSettings& dlg = Show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Настройки программы"));
        QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
        QCOMPARE(dlg.cbComPortSelect->currentText(), QStringLiteral("COM1"));
        QVERIFY(dlg.cbComPortSelect->isEditable());
        QCOMPARE(dlg.cbPortSpeed->currentText(), QStringLiteral("115200"));
        QCOMPARE(dlg.seTimeOut->value(), 250);
        QCOMPARE(dlg.seTimeoutInterval->value(), 250);
        QCOMPARE(dlg.seTimeoutEcho->value(), 250);
        QCOMPARE(dlg.edtPassword->text(), QString());
        QCOMPARE(dlg.edtMasterPassword->text(), QString());
        QCOMPARE(dlg.seRetryCount->value(), 3);
        QCOMPARE(dlg.cbConnectMethod->currentText(), QStringLiteral("Стандартный"));
        QCOMPARE(dlg.cbLanguage->currentText(), QStringLiteral("Русский"));
        QVERIFY(!dlg.cbPortPoll->isChecked());
        QVERIFY(dlg.cbEndOnPrompt->isChecked());
        QCOMPARE(dlg.cbEndOnPrompt->text(), QStringLiteral("Завершать приём по приглашению \">\""));
        QVERIFY(!dlg.cbEndOnPrompt->toolTip().isEmpty());
        QVERIFY(dlg.gbDebug->isHidden());
        QCOMPARE(CheckedPages(dlg.clbPagesSelect), AllPageNames());
        QCOMPARE(dlg.clrbRead->Selected(), TColor(0));
        QCOMPARE(dlg.clrbWrite->Selected(), TColor(0));
        QCOMPARE(dlg.clrbReadError->Selected(), TColor(255));
        QCOMPARE(dlg.clrbWriteError->Selected(), TColor(255));
        QCOMPARE(dlg.clrbGeneralError->Selected(), TColor(0x808080));
        QCOMPARE(dlg.clrbRead->CustomIndex(), -1);
        QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(!QFile::exists(IniPath()));
    }

    void speedOutsideListBecomesFirstItemOnOk() {
        TfmSettings& dlg = Show("[Connection]\r\nSpeed=19200\r\n");
        QCOMPARE(Settings.Link.Speed, 19200);
        QCOMPARE(dlg.cbPortSpeed->currentText(), QStringLiteral("9600"));
        QTest::mouseClick(dlg.ApplyBtn, Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(Settings.Link.Speed, 9600);
        QCOMPARE(IniValue("Connection", "Speed"), QStringLiteral("9600"));
    }

    void storedValuesBroughtIntoRange_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("spin");
        QTest::addColumn<int>("shown");
        QTest::newRow("timeout below")
            << QByteArray("[Connection]\nTimeout=20\n") << "seTimeOut" << 50;
        QTest::newRow("interval above")
            << QByteArray("[Connection]\nTimeoutInterval=9000\n") << "seTimeoutInterval" << 5000;
        QTest::newRow("echo hex") << QByteArray("[Connection]\nTimeoutEcho=0x1F4\n")
                                  << "seTimeoutEcho" << 500;
        QTest::newRow("retries above")
            << QByteArray("[Device]\nRetryCount=250\n") << "seRetryCount" << 100;
    }
    void storedValuesBroughtIntoRange() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, spin);
        QFETCH(int, shown);
        TfmSettings& dlg = Show(ini);
        auto* box = dlg.findChild<QSpinBox*>(spin);
        QVERIFY(box);
        QCOMPARE(box->value(), shown);
    }

    void spinTextRules_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::newRow("in range") << "1500" << 1500;
        QTest::newRow("below range") << "20" << 50;
        QTest::newRow("empty") << "" << 50;
    }
    void spinTextRules() {
        QFETCH(QString, typed);
        QFETCH(int, stored);
        TfmSettings& dlg = Show();
        QLineEdit* edit = dlg.seTimeOut->findChild<QLineEdit*>();
        QVERIFY(edit);
        SelectAllAndType(edit, typed);
        QTest::mouseClick(dlg.ApplyBtn, Qt::LeftButton);
        QCOMPARE(Settings.Link.Timeout, stored);
        QCOMPARE(IniValue("Connection", "Timeout"), QString::number(stored));
    }

    void okStoresEveryEdit() {
        TfmSettings& dlg = Show("; mine\n[Connection]\nCOM=COM1\n[Custom]\nKeep=1\n");
        SelectAllAndType(dlg.cbComPortSelect->lineEdit(), QStringLiteral("/dev/pts/9"));
        QTest::keyClicks(dlg.cbPortSpeed, QStringLiteral("4")); // keyboard search: 460800
        SelectAllAndType(dlg.edtPassword, QStringLiteral("1111"));
        SelectAllAndType(dlg.edtMasterPassword, QStringLiteral("2222"));
        SelectAllAndType(dlg.seTimeoutEcho->findChild<QLineEdit*>(), QStringLiteral("700"));
        QTest::keyClick(dlg.clrbRead, Qt::Key_Down);   // black -> maroon
        QTest::keyClick(dlg.seRetryCount, Qt::Key_Up); // 3 -> 4
        QTest::keyClick(dlg.cbConnectMethod, Qt::Key_Down);
        QTest::keyClick(dlg.cbLanguage, Qt::Key_Down);
        QTest::keyClick(dlg.cbPortPoll, Qt::Key_Space);
        QTest::keyClick(dlg.cbEndOnPrompt, Qt::Key_Space);
        // Uncheck every page but the second.
        QListWidget* pages = dlg.clbPagesSelect;
        pages->setFocus();
        for (int i = 0; i < pages->count(); ++i) {
            if (i == 1)
                continue;
            pages->setCurrentRow(i);
            QTest::keyClick(pages->viewport(), Qt::Key_Space);
        }
        QCOMPARE(CheckedPages(pages), QStringList{DevCommands.at(1).PageName});

        QTest::mouseClick(dlg.ApplyBtn, Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(dlg.isHidden());
        QCOMPARE(Settings.Link.Port, QStringLiteral("/dev/pts/9"));
        QCOMPARE(Settings.Link.Speed, 460800);
        QCOMPARE(Settings.Link.ActivePassword(), QStringLiteral("2222"));
        QCOMPARE(Settings.Link.TimeoutEcho, 700);
        QCOMPARE(Settings.ReadColorText, TColor(0x000080));
        QCOMPARE(Settings.Link.RetryCount, 4);
        QCOMPARE(Settings.Link.ConnectMethod, 1);
        QCOMPARE(Settings.Language, 1033);
        QVERIFY(Settings.PortPoll);
        QVERIFY(!Settings.Link.EndOnPrompt);
        QCOMPARE(Settings.EnabledPages, QStringList{DevCommands.at(1).PageId});

        QCOMPARE(IniValue("Connection", "COM"), QStringLiteral("/dev/pts/9"));
        QCOMPARE(IniValue("Connection", "Speed"), QStringLiteral("460800"));
        QCOMPARE(IniValue("Device", "Password"), QStringLiteral("1111"));
        QCOMPARE(IniValue("Device", "MasterPassword"), QStringLiteral("2222"));
        QCOMPARE(IniValue("Connection", "TimeoutEcho"), QStringLiteral("700"));
        QCOMPARE(IniValue("Interface", "ReadColorText"), QStringLiteral("128"));
        QCOMPARE(IniValue("Device", "RetryCount"), QStringLiteral("4"));
        QCOMPARE(IniValue("Device", "ConnectMethod"), QStringLiteral("1"));
        QCOMPARE(IniValue("Interface", "Language"), QStringLiteral("1033"));
        QCOMPARE(IniValue("Device", "PortPoll"), QStringLiteral("1"));
        QCOMPARE(IniValue("Connection", "EndOnPrompt"), QStringLiteral("0"));
        QCOMPARE(IniValue("Interface", "EnabledPages"), DevCommands.at(1).PageId);
        QCOMPARE(IniValue("Custom", "Keep"), QStringLiteral("1"));
        QCOMPARE(IniValue("Interface", "Debug"), QStringLiteral("<missing>"));
        QCOMPARE(IniValue("Interface", "TrueCustomer"), QStringLiteral("<missing>"));
    }

    void uncheckingEveryPageWritesEmptyList() {
        TfmSettings& dlg = Show();
        QListWidget* pages = dlg.clbPagesSelect;
        pages->setFocus();
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentRow(i);
            QTest::keyClick(pages->viewport(), Qt::Key_Space);
        }
        QVERIFY(CheckedPages(pages).isEmpty());
        QTest::mouseClick(dlg.ApplyBtn, Qt::LeftButton);
        QVERIFY(Settings.EnabledPages.isEmpty());
        QCOMPARE(IniValue("Interface", "EnabledPages"), QString());
        LoadSettings();
        QVERIFY(Settings.EnabledPages.isEmpty());
    }

    void enabledPagesMatchIdsExactly() {
        const QString id = DevCommands.at(1).PageId;
        TfmSettings& dlg = Show("[Interface]\nEnabledPages=" + id.toUpper().toUtf8() + ",nosuch," +
                                id.toUtf8() + "\n");
        QCOMPARE(CheckedPages(dlg.clbPagesSelect), QStringList{DevCommands.at(1).PageName});
        QTest::mouseClick(dlg.ApplyBtn, Qt::LeftButton);
        QCOMPARE(Settings.EnabledPages, QStringList{id});
    }

    void cancelDiscardsEdits() {
        TfmSettings& dlg = Show("[Connection]\nCOM=/dev/ttyUSB0\n");
        SelectAllAndType(dlg.cbComPortSelect->lineEdit(), QStringLiteral("COM7"));
        SelectAllAndType(dlg.edtPassword, QStringLiteral("999"));
        QTest::keyClick(dlg.cbPortPoll, Qt::Key_Space);
        QTest::keyClick(dlg.cbEndOnPrompt, Qt::Key_Space);
        QTest::keyClick(dlg.cbLanguage, Qt::Key_Down);
        const QByteArray before = [this] {
            QFile f(IniPath());
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(dlg.isHidden());
        // The controls show the stored values again, Settings and file untouched.
        QCOMPARE(dlg.cbComPortSelect->currentText(), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(dlg.edtPassword->text(), QString());
        QVERIFY(!dlg.cbPortPoll->isChecked());
        QVERIFY(dlg.cbEndOnPrompt->isChecked());
        QCOMPARE(dlg.cbLanguage->currentIndex(), 0);
        QCOMPARE(Settings.Link.Port, QStringLiteral("/dev/ttyUSB0"));
        QVERIFY(Settings.Link.Password.isEmpty());
        QVERIFY(!Settings.PortPoll);
        QFile f(IniPath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    void passwordTakesDigitsOnly_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("digits") << "0123"
                                << "0123";
        QTest::newRow("letters and blanks dropped") << "12a3 b-4"
                                                    << "1234";
        QTest::newRow("cyrillic dropped") << "1я2"
                                          << "12";
        QTest::newRow("ten at most") << "1234567890123"
                                     << "1234567890";
    }
    void passwordTakesDigitsOnly() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TfmSettings& dlg = Show();
        for (QLineEdit* edit : {dlg.edtPassword, dlg.edtMasterPassword}) {
            SelectAllAndType(edit, typed);
            QCOMPARE(edit->text(), shown);
        }
        QTest::keyClick(dlg.edtPassword, Qt::Key_Backspace);
        QCOMPARE(dlg.edtPassword->text(), shown.chopped(1));
    }

    void handWrittenLetterPasswordSurvives() {
        TfmSettings& dlg = Show("[Device]\nMasterPassword=12ab\n");
        QCOMPARE(Settings.Link.ActivePassword(), QStringLiteral("12ab"));
        QCOMPARE(dlg.edtMasterPassword->text(), QStringLiteral("12ab"));
        dlg.edtMasterPassword->setFocus();
        dlg.edtMasterPassword->end(false);
        QTest::keyClicks(dlg.edtMasterPassword, QStringLiteral("c"));
        QCOMPARE(dlg.edtMasterPassword->text(), QStringLiteral("12ab"));
        QTest::mouseClick(dlg.ApplyBtn, Qt::LeftButton);
        QCOMPARE(Settings.Link.MasterPassword, QStringLiteral("12ab"));
        QCOMPARE(IniValue("Device", "MasterPassword"), QStringLiteral("12ab"));
    }

    // Ten digits is a typing limit only: a longer password written into the
    // file by hand is shown whole and stored back whole.
    void handWrittenLongPasswordSurvivesOk() {
        const QString stored = QStringLiteral("123456789012");
        TfmSettings& dlg = Show("[Device]\nPassword=123456789012\n");
        QCOMPARE(dlg.edtPassword->text(), stored);
        dlg.edtPassword->setFocus();
        dlg.edtPassword->end(false);
        QTest::keyClicks(dlg.edtPassword, QStringLiteral("3"));
        QCOMPARE(dlg.edtPassword->text(), stored);
        QTest::mouseClick(dlg.ApplyBtn, Qt::LeftButton);
        QCOMPARE(Settings.Link.Password, stored);
        QCOMPARE(IniValue("Device", "Password"), stored);
    }

    void typingOverASelectionKeepsTheLimit() {
        TfmSettings& dlg = Show("[Device]\nPassword=1234567890\n");
        dlg.edtPassword->setFocus();
        dlg.edtPassword->setSelection(0, 2);
        QTest::keyClicks(dlg.edtPassword, QStringLiteral("987"));
        QCOMPARE(dlg.edtPassword->text(), QStringLiteral("9834567890"));
    }

    void debugBoxFollowsDebugKey() {
        TfmSettings& dlg = Show("[Interface]\nDebug=1\n");
        QVERIFY(dlg.gbDebug->isVisible());
        QCOMPARE(dlg.edtCmdText->text(), QStringLiteral("AT+SGDT=?"));
        QCOMPARE(dlg.btnSend->text(), QStringLiteral("Послать команду"));
        // Without a main window there is nobody to send through.
        QTest::mouseClick(dlg.btnSend, Qt::LeftButton);
        QVERIFY(dlg.isVisible());
        QTest::mouseClick(dlg.ApplyBtn, Qt::LeftButton);
        QCOMPARE(IniValue("Interface", "Debug"), QStringLiteral("1"));

        WriteIni("[Interface]\nDebug=0\n");
        LoadSettings();
        dlg.show();
        QVERIFY(dlg.gbDebug->isHidden());
    }

    void languageShownFromLocale_data() {
        QTest::addColumn<int>("locale");
        QTest::addColumn<QString>("shown");
        QTest::newRow("never chosen") << 0 << "Русский";
        QTest::newRow("russian") << 1049 << "Русский";
        QTest::newRow("english") << 1033 << "English";
        QTest::newRow("unknown") << 1031 << "Русский";
    }
    void languageShownFromLocale() {
        QFETCH(int, locale);
        QFETCH(QString, shown);
        TfmSettings& dlg = Show("[Interface]\nLanguage=" + QByteArray::number(locale) + "\n");
        QCOMPARE(dlg.cbLanguage->currentText(), shown);
    }

    // OK pressed for another setting keeps a language the list cannot show
    // (0 follows the system); only a new pick in the list stores its locale.
    void languageKeptUnlessPicked_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("pick"); // -1: the list is not touched
        QTest::addColumn<QString>("written");
        QTest::newRow("system kept") << 0 << -1 << "0";
        QTest::newRow("other locale kept") << 1031 << -1 << "1031";
        QTest::newRow("english kept") << 1033 << -1 << "1033";
        QTest::newRow("system, english picked") << 0 << 1 << "1033";
        QTest::newRow("english, russian picked") << 1033 << 0 << "1049";
        QTest::newRow("other locale, english picked") << 1031 << 1 << "1033";
    }
    void languageKeptUnlessPicked() {
        QFETCH(int, stored);
        QFETCH(int, pick);
        QFETCH(QString, written);
        TfmSettings& dlg = Show("[Interface]\nLanguage=" + QByteArray::number(stored) + "\n");
        dlg.cbComPortSelect->setEditText(QStringLiteral("COM7"));
        if (pick >= 0)
            dlg.cbLanguage->setCurrentIndex(pick);
        QTest::mouseClick(dlg.ApplyBtn, Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(IniValue("Interface", "Language"), written);
        QCOMPARE(Settings.Language, written.toInt());
        QCOMPARE(IniValue("Connection", "COM"), QStringLiteral("COM7"));
        // Shown again, the dialog starts from what was kept.
        dlg.show();
        QCOMPARE(dlg.cbLanguage->currentIndex(), written == QLatin1String("1033") ? 1 : 0);
    }

    void colourListOffersNamedColours() {
        TColorList list;
        QCOMPARE(list.itemText(0), QStringLiteral("Чёрный"));
        QVERIFY(list.count() >= 16 + 4 + 10);
        list.SetSelected(0xFF0000);
        QCOMPARE(list.currentText(), QStringLiteral("Синий"));
        list.SetSelected(0xF0CAA6);
        QCOMPARE(list.currentText(), QStringLiteral("Небесно-голубой"));
        QCOMPARE(list.CustomIndex(), -1);
        const TColor window = QColorToColor(QApplication::palette().color(QPalette::Window));
        list.SetSelected(window);
        QCOMPARE(list.Selected(), window);
        QCOMPARE(ColorToQColor(0x0000FF), QColor(Qt::red));
    }

    void storedColourOutsideListKept() {
        TfmSettings& dlg = Show("[Interface]\nReadColorText=$123456\nWriteColorText=-2147483640\n");
        QCOMPARE(dlg.clrbRead->Selected(), TColor(0x123456));
        QVERIFY(dlg.clrbRead->CustomIndex() >= 0);
        QCOMPARE(dlg.clrbWrite->Selected(), TColor(0x80000008));
        QTest::mouseClick(dlg.ApplyBtn, Qt::LeftButton);
        QCOMPARE(IniValue("Interface", "ReadColorText"), QString::number(0x123456));
        QCOMPARE(IniValue("Interface", "WriteColorText"), QStringLiteral("-2147483640"));
    }

    void portListSortedAndPortKept() {
        TfmSettings& dlg = Show("[Connection]\nCOM=/dev/pts/42\n");
        QStringList items;
        for (int i = 0; i < dlg.cbComPortSelect->count(); ++i)
            items.append(dlg.cbComPortSelect->itemText(i));
        QStringList sorted = items;
        sorted.sort(Qt::CaseInsensitive);
        QCOMPARE(items, sorted);
        QCOMPARE(dlg.cbComPortSelect->currentText(), QStringLiteral("/dev/pts/42"));
    }

    void unwritableFileReportedAndDialogStillAccepts() {
        TfmSettings& dlg = Show();
        QVERIFY(QDir(FDir->path()).mkdir(kSettingsFileName));
        SelectAllAndType(dlg.cbComPortSelect->lineEdit(), QStringLiteral("COM4"));
        testkit::TModalDriver answerer(nullptr, kWatchdogMs);
        answerer.AnswerBoxesWithOk();
        QTest::mouseClick(dlg.ApplyBtn, Qt::LeftButton);
        QVERIFY(answerer.WatchdogClosed.isEmpty());
        QCOMPARE(
            answerer.BoxTexts,
            QStringList{
                QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(IniPath()))});
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(Settings.Link.Port, QStringLiteral("COM4"));
    }

    void execFillsOnEveryShow() {
        LoadSettings();
        TfmSettings dlg;
        bool filled = false;
        testkit::TModalDriver driver(nullptr, kWatchdogMs);
        auto runOnce = [&](const QString& port) {
            driver.AnswerOnce([&, port](QWidget* modal) {
                filled = modal == &dlg && dlg.cbComPortSelect->currentText() == port;
                QTest::mouseClick(dlg.ApplyBtn, Qt::LeftButton);
            });
            return dlg.exec();
        };
        QCOMPARE(runOnce(QStringLiteral("COM1")), int(QDialog::Accepted));
        QVERIFY(filled);
        Settings.Link.Port = QStringLiteral("/dev/ttyACM0");
        QCOMPARE(runOnce(QStringLiteral("/dev/ttyACM0")), int(QDialog::Accepted));
        QVERIFY(filled);
        QCOMPARE(IniValue("Connection", "COM"), QStringLiteral("/dev/ttyACM0"));
        QVERIFY(driver.WatchdogClosed.isEmpty());
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
