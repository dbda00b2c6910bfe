#include "FileSizeLimit.h"
#include "InflateAll.h"
#include "app/TfmMain.h"
#include "config/ConfigFile.h"
#include "config/ConfigFormat.h"
#include "pages/EditorAccess.h"
#include "profile/DevCommands.h"
#include "profile/ProfileLoader.h"
#include "settings/Settings.h"
#include "support/ModalDriver.h"
#include "support/PageBench.h"
#include "support/ShippedProfile.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>
#include <zlib.h>

namespace {

constexpr int kModalWatchdogMs = 10000;
constexpr int kPythonTimeoutMs = 30000;

// +SONE: one of each kind; +SHID: not exported; +SIDX: two rows; +SNOP on the
// second page: no parameters.
const char kSmallProfile[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<profile>
  <page id="a" name="Первая">
    <command command="+SONE" description="Одна" exportdata="1" polldata="1">
      <parameter type="integer" description="n" minvalue="0" maxvalue="1000" defaultvalue="5"/>
      <parameter type="string" description="s" optional="0" defaultvalue="x"/>
      <parameter type="hex" description="h" maxlen="4" defaultvalue="00AB"/>
      <parameter type="option" description="o" optional="0" defaultvalue="2">
        <option value="1" text="один"/>
        <option value="2" text="два"/>
      </parameter>
    </command>
    <command command="+SHID" description="Скрытая" exportdata="0">
      <parameter type="string" description="q" defaultvalue="hidden"/>
    </command>
    <command command="+SIDX" description="Строки" exportdata="1" maxindex="2">
      <parameter type="string" description="t" defaultvalue="-"/>
    </command>
  </page>
  <page id="b" name="Вторая">
    <command command="+SNOP" description="Пустая" exportdata="1"/>
  </page>
</profile>
)";

QByteArray Deflate(const QByteArray& text) {
    uLongf size = compressBound(static_cast<uLong>(text.size()));
    QByteArray out(static_cast<qsizetype>(size), Qt::Uninitialized);
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(text.constData()), static_cast<uLong>(text.size()),
              Z_BEST_COMPRESSION);
    out.resize(static_cast<qsizetype>(size));
    return out;
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Types the name into the dialog's name box and presses Enter, as a user
// would; selectFile() leaves a focused name box alone.
void TypeFileName(QFileDialog* dialog, const QString& path) {
    auto* edit = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
    QVERIFY(edit);
    edit->setText(path);
    QMetaObject::invokeMethod(dialog, "accept");
}

QByteArray Doc(const QByteArray& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<Velmora>\r\n"
           " <ExportCommandParamenters>\r\n" +
           body + " </ExportCommandParamenters>\r\n</Velmora>\r\n";
}

QByteArray SoneDoc(const QByteArray& n, const QByteArray& s, const QByteArray& h,
                   const QByteArray& o, const QByteArray& enabled = "1") {
    return "  <command name=\"+SONE\">\r\n   <index index=\"0\">\r\n"
           "    <parameter index=\"0\" enabled=\"" +
           enabled + "\">" + n + "</parameter>\r\n    <parameter index=\"1\">" + s +
           "</parameter>\r\n    <parameter index=\"2\" enabled=\"1\">" + h +
           "</parameter>\r\n    <parameter index=\"3\">" + o +
           "</parameter>\r\n   </index>\r\n  </command>\r\n";
}

// Loading and saving on the pages alone report as the window's do: to the
// log, leave masks checked the way the editors check them.
class TBenchConfigReport : public TConfigReport {
public:
    explicit TBenchConfigReport(TParameterPages& pages) : FPages(pages) {}
    void Log(const QString& text) override { FPages.OnLog(text, lkGeneral); }
    bool MaskMatches(const QString& mask, const QString& text) override {
        return FPages.MaskMatches(mask, text);
    }

private:
    TParameterPages& FPages;
};

} // namespace

class TestConfigFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void saveWritesExactText();
    void saveSkipsDisabledGroupButNotDisabledPage();
    void saveReportsMissingControls();
    void saveReportsUncreatableFile();
    void saveWritesEmptyValueForUnknownKindAndNoSelection();
    void saveShowsWriteError_data();
    void saveShowsWriteError();
    void menuSavesAndLoadsThroughDialogs();
    void menuCancelDoesNothing();

    void roundTripOfShippedProfile();
    void loadSetsSwitchesLikeUser();
    void loadReachesDisabledGroupAndPage();
    void loadReplacesRefusedValues();
    void loadStopsAtMissingControls();
    void loadShowsStreamErrorBox();
    void loadCapsText_data();
    void loadCapsText();
    void loadReportsUnopenableFile();
    void loadOfEmptyFileChangesNothing();
    void loadOfTruncatedFileKeepsValuesBeforeCut();

private:
    // The pages under test: on a plain window, or in the main window for the
    // cases of its menu and message boxes.
    TParameterPages& Pages() const { return FOnWindow ? *FMain->Pages : *B->Pages; }
    QTabWidget* Tabs() const { return FOnWindow ? FMain->PageControl1 : B->Tabs; }
    QWidget* Ctl(int page, int command, int row, int param, ControlRole role) const {
        return Pages().FindControl(page, command, row, param, role);
    }
    QString Path(const QString& name) const { return FDir.filePath(name); }
    QString Log() const { return FOnWindow ? FMain->LogLines->toPlainText() : B->Log(); }
    void Save(const QString& path);
    void Load(const QString& path);
    void UseSmallProfile();
    void UseWindow();
    void BuildPages();
    // Runs handler on the next modal widget; a widget the handler leaves open
    // is closed, and nothing waits longer than the watchdog.
    void AnswerModal(const std::function<void(QWidget*)>& handler);
    QStringList Snapshot() const;

    QTemporaryDir FDir;
    std::unique_ptr<testkit::TPageBench> B;
    std::unique_ptr<TfmMain> FMain; // made for the first case that needs it
    bool FOnWindow = false;
    std::unique_ptr<testkit::TModalDriver> FDriver;
    bool FModalSeen = false;
};

void TestConfigFile::initTestCase() {
    QVERIFY(FDir.isValid());
    SetSettingsFolder(FDir.path());
    B = std::make_unique<testkit::TPageBench>();
    B->Window.show();
}

void TestConfigFile::cleanupTestCase() {
    FMain.reset();
    B.reset();
}

void TestConfigFile::init() {
    FOnWindow = false;
    FDriver = std::make_unique<testkit::TModalDriver>(nullptr, kModalWatchdogMs);
    UseSmallProfile();
    FModalSeen = false;
}

void TestConfigFile::UseSmallProfile() {
    LoadCommandProfileFromData(QByteArray(kSmallProfile));
    BuildPages();
}

void TestConfigFile::UseWindow() {
    if (!FMain) {
        FMain = std::make_unique<TfmMain>();
        FMain->show();
    }
    FOnWindow = true;
    UseSmallProfile();
}

void TestConfigFile::BuildPages() {
    if (FOnWindow) {
        FMain->BuildPages();
        FMain->LogLines->clear();
    } else {
        B->Build();
        B->PaneLines.clear();
    }
}

void TestConfigFile::Save(const QString& path) {
    if (FOnWindow) {
        FMain->SaveConfiguration(path);
        return;
    }
    TBenchConfigReport report(*B->Pages);
    SaveConfigurationFile(*B->Pages, path, report);
}

void TestConfigFile::Load(const QString& path) {
    if (FOnWindow) {
        FMain->LoadConfiguration(path);
        return;
    }
    TBenchConfigReport report(*B->Pages);
    LoadConfigurationFile(path, *B->Pages, report);
}

void TestConfigFile::AnswerModal(const std::function<void(QWidget*)>& handler) {
    FDriver->AnswerOnce([this, handler](QWidget* modal) {
        FModalSeen = true;
        handler(modal);
    });
}

void TestConfigFile::saveWritesExactText() {
    SetSwitchChecked(Ctl(0, 0, 0, 0, crSwitch), false);
    SetEditorText(Ctl(0, 0, 0, 0, crEditor), QStringLiteral("17"));
    SetEditorText(Ctl(0, 0, 0, 1, crEditor), QStringLiteral("Ёж \"a\" & <b>\tz"));
    SelectOption(Ctl(0, 0, 0, 3, crEditor), 0);
    SetEditorText(Ctl(0, 2, 0, 0, crEditor), QStringLiteral("Привет"));
    SetSwitchChecked(Ctl(0, 2, 1, 0, crSwitch), false);
    SetEditorText(Ctl(0, 1, 0, 0, crEditor), QStringLiteral("never written"));

    const QString path = Path(QStringLiteral("exact.zxml"));
    Save(path);
    const QByteArray expected = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
                                "<Velmora>\r\n"
                                " <ExportCommandParamenters>\r\n"
                                "  <command name=\"+SONE\">\r\n"
                                "   <index index=\"0\">\r\n"
                                "    <parameter index=\"0\" enabled=\"0\">17</parameter>\r\n"
                                "    <parameter index=\"1\">\xD0\x81\xD0\xB6 &quot;a&quot; &amp; "
                                "&lt;b&gt;&#9;z</parameter>\r\n"
                                "    <parameter index=\"2\" enabled=\"1\">00AB</parameter>\r\n"
                                "    <parameter index=\"3\">1</parameter>\r\n"
                                "   </index>\r\n"
                                "  </command>\r\n"
                                "  <command name=\"+SIDX\">\r\n"
                                "   <index index=\"0\">\r\n"
                                "    <parameter index=\"0\" enabled=\"1\">Привет</parameter>\r\n"
                                "   </index>\r\n"
                                "   <index index=\"1\">\r\n"
                                "    <parameter index=\"0\" enabled=\"0\">-</parameter>\r\n"
                                "   </index>\r\n"
                                "  </command>\r\n"
                                "  <command name=\"+SNOP\">\r\n"
                                "   <index index=\"0\">\r\n"
                                "   </index>\r\n"
                                "  </command>\r\n"
                                " </ExportCommandParamenters>\r\n"
                                "</Velmora>\r\n";
    const QByteArray file = ReadFile(path);
    QVERIFY(file.size() > 6);
    QCOMPARE(uchar(file[0]), uchar(0x78));
    QCOMPARE(uchar(file[1]), uchar(0xDA));
    QCOMPARE(InflateAll(file), expected);
    QCOMPARE(Log(), QString());

    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        QSKIP("python3 is not installed");
    QProcess py;
    py.start(python, {QStringLiteral("-c"),
                      QStringLiteral("import sys, zlib; sys.stdout.buffer.write("
                                     "zlib.decompress(open(sys.argv[1], 'rb').read()))"),
                      path});
    QVERIFY(py.waitForFinished(kPythonTimeoutMs));
    QCOMPARE(py.exitCode(), 0);
    QCOMPARE(py.readAllStandardOutput(), expected);
}

void TestConfigFile::saveSkipsDisabledGroupButNotDisabledPage() {
    Pages().SetCommandEnabled(qobject_cast<QGroupBox*>(Ctl(0, 0, 0, 0, crGroup)), false);
    Tabs()->setTabEnabled(1, false);
    const QString path = Path(QStringLiteral("disabled.zxml"));
    Save(path);
    const QByteArray text = InflateAll(ReadFile(path));
    QVERIFY(!text.contains("+SONE"));
    QVERIFY(!text.contains("+SHID"));
    QVERIFY(text.contains("  <command name=\"+SIDX\">\r\n"));
    QVERIFY(text.contains("  <command name=\"+SNOP\">\r\n"));
    QCOMPARE(Log(), QString());
}

void TestConfigFile::saveReportsMissingControls() {
    delete Ctl(0, 2, 0, 0, crGroup);
    delete Ctl(0, 0, 0, 1, crEditor);
    const QString path = Path(QStringLiteral("missing.zxml"));
    Save(path);
    const QByteArray text = InflateAll(ReadFile(path));
    QVERIFY(!text.contains("+SIDX"));
    QVERIFY(text.contains("    <parameter index=\"1\"></parameter>\r\n"));
    QVERIFY(text.contains("    <parameter index=\"2\" enabled=\"1\">00AB</parameter>\r\n"));
    QVERIFY(text.contains("+SNOP"));
    QVERIFY(Log().contains(QStringLiteral("Команда +SONE, параметр 1 не найден")));
    QVERIFY(Log().contains(QStringLiteral("Команда +SIDX не найдена, пропущена")));
}

void TestConfigFile::saveReportsUncreatableFile() {
    const QString path = Path(QStringLiteral("no/such/folder/x.zxml"));
    QFile probe(path);
    QVERIFY(!probe.open(QIODevice::WriteOnly));
    Save(path);
    QVERIFY(!QFile::exists(path));
    QVERIFY2(Log().contains(QStringLiteral("Не могу создать файл, ошибка=") + probe.errorString()),
             qPrintable(Log()));
}

void TestConfigFile::saveWritesEmptyValueForUnknownKindAndNoSelection() {
    SelectOption(Ctl(0, 0, 0, 3, crEditor), -1);
    DevCommands[0].Commands[0].Parameters[1].ParamKind = static_cast<TParamKind>(9);
    const QString path = Path(QStringLiteral("unknown.zxml"));
    Save(path);
    const QByteArray text = InflateAll(ReadFile(path));
    QVERIFY(text.contains("    <parameter index=\"1\"></parameter>\r\n"));
    QVERIFY(text.contains("    <parameter index=\"3\"></parameter>\r\n"));
    QVERIFY(text.contains("    <parameter index=\"2\" enabled=\"1\">00AB</parameter>\r\n"));
    QVERIFY(Log().contains(QStringLiteral("Команда +SONE, неизвестный тип параметра 1")));
    QVERIFY(text.endsWith("</Velmora>\r\n"));
}

// A failed write is shown; the file that was there stays, and a device is
// written in place, never replaced by a file.
void TestConfigFile::saveShowsWriteError_data() {
    QTest::addColumn<QString>("target"); // a device, or a file in a folder of its own
    QTest::newRow("device") << "/dev/full";
    QTest::newRow("disk full part-way over an old file") << "full/old.zxml";
}

void TestConfigFile::saveShowsWriteError() {
    QFETCH(QString, target);
    UseWindow();
    const bool device = QDir::isAbsolutePath(target);
    if (device && !QFile::exists(target))
        QSKIP("no /dev/full here");
    const QString path = device ? target : Path(target);
    const QByteArray old = Deflate(Doc(SoneDoc("7", "old", "0001", "1")));
    std::unique_ptr<TFileSizeLimit> limit;
    if (!device) {
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QVERIFY(WriteFile(path, old));
        limit = std::make_unique<TFileSizeLimit>(old.size() / 2);
    }
    QString title, text;
    AnswerModal([&](QWidget* modal) {
        title = modal->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            text = box->text();
            box->accept();
        }
    });
    Save(path);
    limit.reset();
    QVERIFY(FModalSeen);
    QCOMPARE(title, QStringLiteral("Error"));
    QVERIFY(!text.isEmpty());
    if (device) {
        QVERIFY(!QFileInfo(path).isFile());
        return;
    }
    QCOMPARE(ReadFile(path), old);
    QCOMPARE(QFileInfo(path).dir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                             QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("old.zxml")});
}

void TestConfigFile::menuSavesAndLoadsThroughDialogs() {
    UseWindow();
    const QString path = Path(QStringLiteral("menu.zxml"));
    QFile::remove(path);
    SetEditorText(Ctl(0, 0, 0, 1, crEditor), QStringLiteral("через меню"));
    AnswerModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog == FMain->SaveDialog1);
        TypeFileName(dialog, path);
    });
    FMain->Save1Click();
    QVERIFY(FModalSeen);
    QVERIFY(InflateAll(ReadFile(path)).contains(QStringLiteral("через меню").toUtf8()));

    SetEditorText(Ctl(0, 0, 0, 1, crEditor), QStringLiteral("другое"));
    FModalSeen = false;
    AnswerModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog == FMain->OpenDialog1);
        TypeFileName(dialog, path);
    });
    FMain->Load1Click();
    QVERIFY(FModalSeen);
    QCOMPARE(EditorText(Ctl(0, 0, 0, 1, crEditor)), QStringLiteral("через меню"));
    QCOMPARE(Log(), QString());
}

void TestConfigFile::menuCancelDoesNothing() {
    UseWindow();
    const QStringList before = QDir(FDir.path()).entryList(QDir::Files);
    AnswerModal([](QWidget* modal) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
    });
    FMain->Save1Click();
    QVERIFY(FModalSeen);
    FModalSeen = false;
    AnswerModal([](QWidget* modal) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
    });
    FMain->Load1Click();
    QVERIFY(FModalSeen);
    QCOMPARE(QDir(FDir.path()).entryList(QDir::Files), before);
    QCOMPARE(Log(), QString());
}

// Every exported value as the pages show it, switches included.
QStringList TestConfigFile::Snapshot() const {
    QStringList lines;
    for (int page = 0; page < DevCommands.size(); ++page) {
        for (int c = 0; c < DevCommands[page].Commands.size(); ++c) {
            const TDevCommand& cmd = DevCommands[page].Commands[c];
            if (!cmd.ExportData)
                continue;
            for (int row = 0; row < cmd.RowCount(); ++row) {
                for (int p = 0; p < cmd.Parameters.size(); ++p) {
                    QWidget* editor = Ctl(page, c, row, p, crEditor);
                    QString line =
                        QStringLiteral("%1 #%2 %3: ").arg(cmd.CommandName).arg(row).arg(p);
                    if (cmd.Parameters[p].Optional)
                        line += SwitchChecked(Ctl(page, c, row, p, crSwitch)) ? "[x] " : "[ ] ";
                    line += cmd.Parameters[p].ParamKind == pkOption
                                ? QString::number(SelectedOption(editor))
                                : EditorText(editor);
                    lines << line;
                }
            }
        }
    }
    return lines;
}

void TestConfigFile::roundTripOfShippedProfile() {
    LoadCommandProfile(testkit::ShippedProfilePath());
    BuildPages();
    QSet<int> kinds;
    bool indexed = false;
    int n = 0;
    // Values of every kind that the profile's own rules accept.
    auto apply = [&](bool scramble) {
        for (int page = 0; page < DevCommands.size(); ++page) {
            for (int c = 0; c < DevCommands[page].Commands.size(); ++c) {
                const TDevCommand& cmd = DevCommands[page].Commands[c];
                if (!cmd.ExportData)
                    continue;
                indexed |= cmd.Indexed;
                for (int row = 0; row < cmd.RowCount(); ++row) {
                    for (int p = 0; p < cmd.Parameters.size(); ++p, ++n) {
                        const TCmdParameter& param = cmd.Parameters[p];
                        QWidget* editor = Ctl(page, c, row, p, crEditor);
                        QVERIFY(editor);
                        kinds << param.ParamKind;
                        if (param.Optional) {
                            QWidget* box = Ctl(page, c, row, p, crSwitch);
                            SetSwitchChecked(box, scramble ? !SwitchChecked(box) : n % 3 != 0);
                        }
                        const qint64 low = qMax(param.MinValue, qint64(INT_MIN));
                        const qint64 high = qMin(param.MaxValue, qint64(INT_MAX));
                        switch (param.ParamKind) {
                        case pkInteger:
                            SetEditorText(editor,
                                          QString::number(scramble ? low : (low + 2 * high) / 3));
                            break;
                        case pkHex: {
                            const int digits = param.MaxLen;
                            const qint64 top =
                                qMin(param.MaxValue, (qint64(1) << (4 * digits)) - 1);
                            const qint64 v = scramble ? param.MinValue : (param.MinValue + top) / 2;
                            SetEditorText(
                                editor,
                                QStringLiteral("%1").arg(v, digits, 16, QChar('0')).toUpper());
                            break;
                        }
                        case pkString: {
                            QString text = scramble ? QStringLiteral("zz")
                                           : n % 2  ? QStringLiteral("Тест-%1-ёж").arg(n)
                                                    : QString::number(100 + n);
                            if (param.MaxLen > 0)
                                text = text.left(param.MaxLen);
                            // An empty value is written as an empty element,
                            // which leaves the editor as it is.
                            if (scramble && EditorText(editor).isEmpty())
                                break;
                            if (scramble || param.OnLeaveMask.isEmpty() ||
                                Pages().MaskMatches(param.OnLeaveMask, text))
                                SetEditorText(editor, text);
                            break;
                        }
                        case pkOption: {
                            const int count = qobject_cast<QComboBox*>(editor)->count();
                            SelectOption(editor, scramble ? 0 : count - 1);
                            break;
                        }
                        }
                    }
                }
            }
        }
    };
    apply(false);
    const QStringList saved = Snapshot();
    QVERIFY(kinds.size() == 4 && indexed);
    QVERIFY(saved.join('\n').contains(QStringLiteral("ёж")));
    QVERIFY(saved.join('\n').contains(QStringLiteral("[ ] ")));
    const QString path = Path(QStringLiteral("shipped.zxml"));
    Save(path);
    apply(true);
    QVERIFY(Snapshot() != saved);
    Load(path);
    QCOMPARE(Snapshot(), saved);
    QCOMPARE(Log(), QString());
    UseSmallProfile();
}

void TestConfigFile::loadSetsSwitchesLikeUser() {
    const QString path = Path(QStringLiteral("switch.zxml"));
    QVERIFY(WriteFile(path, Deflate(Doc(SoneDoc("9", "  a   b  ", "1a", "1", "0")))));
    Load(path);
    QVERIFY(!SwitchChecked(Ctl(0, 0, 0, 0, crSwitch)));
    QVERIFY(!Ctl(0, 0, 0, 0, crEditor)->isEnabled()); // the switch handler ran
    QCOMPARE(EditorText(Ctl(0, 0, 0, 0, crEditor)), QStringLiteral("9"));
    QCOMPARE(EditorText(Ctl(0, 0, 0, 1, crEditor)), QStringLiteral("a b"));
    QCOMPARE(EditorText(Ctl(0, 0, 0, 2, crEditor)), QStringLiteral("001A"));
    QCOMPARE(SelectedOption(Ctl(0, 0, 0, 3, crEditor)), 0);

    QVERIFY(WriteFile(path, Deflate(Doc(SoneDoc("9", "a", "1a", "1", "1")))));
    Load(path);
    QVERIFY(SwitchChecked(Ctl(0, 0, 0, 0, crSwitch)));
    QVERIFY(Ctl(0, 0, 0, 0, crEditor)->isEnabled());
    QCOMPARE(Log(), QString());
}

void TestConfigFile::loadReachesDisabledGroupAndPage() {
    auto* group = qobject_cast<QGroupBox*>(Ctl(0, 0, 0, 0, crGroup));
    Pages().SetCommandEnabled(group, false);
    Tabs()->setTabEnabled(0, false);
    const QString path = Path(QStringLiteral("disabled-load.zxml"));
    QVERIFY(WriteFile(path, Deflate(Doc(SoneDoc("33", "y", "0BCD", "1")))));
    Load(path);
    QCOMPARE(EditorText(Ctl(0, 0, 0, 0, crEditor)), QStringLiteral("33"));
    QCOMPARE(EditorText(Ctl(0, 0, 0, 2, crEditor)), QStringLiteral("0BCD"));
    QVERIFY(!group->isEnabled());
    QVERIFY(!Ctl(0, 0, 0, 0, crEditor)->isEnabled());
    QCOMPARE(Log(), QString());
}

void TestConfigFile::loadReplacesRefusedValues() {
    SetEditorText(Ctl(0, 0, 0, 0, crEditor), QStringLiteral("77"));
    const QString path = Path(QStringLiteral("refused.zxml"));
    QVERIFY(WriteFile(path, Deflate(Doc(SoneDoc("2000", "ok", "12345", "7")))));
    Load(path);
    QCOMPARE(EditorText(Ctl(0, 0, 0, 0, crEditor)), QStringLiteral("5"));
    QCOMPARE(EditorText(Ctl(0, 0, 0, 1, crEditor)), QStringLiteral("ok"));
    QCOMPARE(EditorText(Ctl(0, 0, 0, 2, crEditor)), QStringLiteral("00AB"));
    QCOMPARE(SelectedOption(Ctl(0, 0, 0, 3, crEditor)), 1);
    const QString log = Log();
    QVERIFY(log.contains(QStringLiteral("Значение выходит за рамки диапазона: 2000")));
    QVERIFY(log.contains(QStringLiteral("Значение не соответствует маске: 12345")));
    QVERIFY(log.contains(QStringLiteral("Значение не в списке допустимых: 7")));
}

void TestConfigFile::loadStopsAtMissingControls() {
    const QString path = Path(QStringLiteral("stop.zxml"));
    QVERIFY(WriteFile(path, Deflate(Doc(SoneDoc("44", "first", "0001", "1") +
                                        "  <command name=\"+SIDX\">\r\n   <index index=\"1\">\r\n"
                                        "    <parameter index=\"0\">later</parameter>\r\n"
                                        "   </index>\r\n  </command>\r\n"))));
    delete Ctl(0, 0, 0, 2, crSwitch);
    Load(path);
    QCOMPARE(EditorText(Ctl(0, 0, 0, 0, crEditor)), QStringLiteral("44"));
    QCOMPARE(EditorText(Ctl(0, 0, 0, 1, crEditor)), QStringLiteral("first"));
    QCOMPARE(EditorText(Ctl(0, 0, 0, 2, crEditor)), QStringLiteral("00AB"));
    QCOMPARE(EditorText(Ctl(0, 2, 1, 0, crEditor)), QStringLiteral("-"));
    QCOMPARE(Log().count(QStringLiteral("Ошибка - не найден выключатель")), 1);

    // An element without "enabled" checks its switch before the editor is
    // looked for.
    UseSmallProfile();
    SetSwitchChecked(Ctl(0, 2, 1, 0, crSwitch), false);
    delete Ctl(0, 2, 1, 0, crEditor);
    Load(path);
    QCOMPARE(EditorText(Ctl(0, 0, 0, 2, crEditor)), QStringLiteral("0001"));
    QVERIFY(SwitchChecked(Ctl(0, 2, 1, 0, crSwitch)));
    QCOMPARE(Log().count(QStringLiteral("Ошибка - не найден элемент ввода")), 1);
}

void TestConfigFile::loadShowsStreamErrorBox() {
    UseWindow();
    SetEditorText(Ctl(0, 0, 0, 1, crEditor), QStringLiteral("kept"));
    const QString path = Path(QStringLiteral("plain.zxml"));
    QVERIFY(WriteFile(path, Doc(SoneDoc("1", "plain", "0001", "1"))));
    QString title, text;
    AnswerModal([&](QWidget* modal) {
        title = modal->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            text = box->text();
            box->accept();
        }
    });
    Load(path);
    QVERIFY(FModalSeen);
    QCOMPARE(title, QStringLiteral("Error"));
    QCOMPARE(text, QStringLiteral("incorrect header check"));
    QCOMPARE(EditorText(Ctl(0, 0, 0, 1, crEditor)), QStringLiteral("kept"));
    QCOMPARE(Log(), QString());
}

void TestConfigFile::loadCapsText_data() {
    QTest::addColumn<qsizetype>("size");
    QTest::addColumn<bool>("loaded");
    QTest::newRow("exactly 1 MiB") << kConfigMaxTextSize << true;
    QTest::newRow("one byte more") << kConfigMaxTextSize + 1 << false;
}

void TestConfigFile::loadCapsText() {
    QFETCH(qsizetype, size);
    QFETCH(bool, loaded);
    QByteArray text = Doc(SoneDoc("1", "big", "0001", "1"));
    text.append(QByteArray(size - text.size(), ' ')); // blanks after the root are no part
    QCOMPARE(text.size(), size);
    const QString path = Path(QStringLiteral("big.zxml"));
    QVERIFY(WriteFile(path, Deflate(text)));
    Load(path);
    QCOMPARE(EditorText(Ctl(0, 0, 0, 1, crEditor)),
             loaded ? QStringLiteral("big") : QStringLiteral("x"));
    if (loaded)
        QCOMPARE(Log(), QString());
    else
        QVERIFY(Log().contains(QStringLiteral("Входной файл слишком велик")));
    QCOMPARE(Log().contains(QStringLiteral("Входной файл слишком велик")), !loaded);
}

void TestConfigFile::loadReportsUnopenableFile() {
    const QString path = Path(QStringLiteral("absent.zxml"));
    QFile probe(path);
    QVERIFY(!probe.open(QIODevice::ReadOnly));
    Load(path);
    QVERIFY2(Log().contains(QStringLiteral("Не могу открыть файл, ошибка=") + probe.errorString()),
             qPrintable(Log()));
}

void TestConfigFile::loadOfEmptyFileChangesNothing() {
    const QStringList before = Snapshot();
    const QString path = Path(QStringLiteral("empty.zxml"));
    QVERIFY(WriteFile(path, QByteArray()));
    Load(path);
    QCOMPARE(Snapshot(), before);
    QCOMPARE(Log(), QString());
}

void TestConfigFile::loadOfTruncatedFileKeepsValuesBeforeCut() {
    // Random filler between the two commands does not compress, so a cut in
    // the middle of the file falls inside it.
    QRandomGenerator random(5);
    QByteArray filler = "<!-- ";
    while (filler.size() < 40000)
        filler += QByteArray::number(random.generate64(), 36);
    filler += " -->\r\n";
    const QByteArray text = Doc(SoneDoc("61", "before", "0002", "1") + filler +
                                "  <command name=\"+SIDX\">\r\n   <index index=\"0\">\r\n"
                                "    <parameter index=\"0\">after</parameter>\r\n"
                                "   </index>\r\n  </command>\r\n");
    const QByteArray file = Deflate(text);
    const QString path = Path(QStringLiteral("cut.zxml"));

    QVERIFY(WriteFile(path, file.left(file.size() / 2)));
    Load(path);
    QCOMPARE(EditorText(Ctl(0, 0, 0, 1, crEditor)), QStringLiteral("before"));
    QCOMPARE(EditorText(Ctl(0, 2, 0, 0, crEditor)), QStringLiteral("-"));

    QVERIFY(WriteFile(path, file.left(file.size() - 4))); // the check value lost
    Load(path);
    QCOMPARE(EditorText(Ctl(0, 2, 0, 0, crEditor)), QStringLiteral("after"));
    QCOMPARE(Log(), QString());
}

QTEST_MAIN(TestConfigFile)
#include "tst_configfile.moc"
