#include "FileSizeLimit.h"
#include "base/CodePage.h"
#include "base/IniFile.h"
#include "profile/DevCommands.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray Utf8(const char* text) {
    return QByteArray(text);
}

void FillProfile() {
    DevCommands.clear();
    for (const char* id : {"main", "gps", "gsm"}) {
        TCmdPage page;
        page.PageId = QLatin1String(id);
        page.PageName = QString::fromLatin1(id).toUpper();
        DevCommands.append(page);
    }
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> FDir;

    QString IniPath() const { return SettingsFilePath(); }
    void WriteIni(const QByteArray& bytes) {
        QFile f(IniPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray ReadIni() const {
        QFile f(IniPath());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return f.readAll();
    }
    static QVariant Field(const TSettings& s, const QString& name) {
        if (name == QLatin1String("Port"))
            return s.Link.Port;
        if (name == QLatin1String("Speed"))
            return s.Link.Speed;
        if (name == QLatin1String("Timeout"))
            return s.Link.Timeout;
        if (name == QLatin1String("TimeoutInterval"))
            return s.Link.TimeoutInterval;
        if (name == QLatin1String("RetryCount"))
            return s.Link.RetryCount;
        if (name == QLatin1String("ConnectMethod"))
            return s.Link.ConnectMethod;
        if (name == QLatin1String("Language"))
            return s.Language;
        if (name == QLatin1String("PortPoll"))
            return s.PortPoll;
        if (name == QLatin1String("EndOnPrompt"))
            return s.Link.EndOnPrompt;
        if (name == QLatin1String("Debug"))
            return s.Debug;
        if (name == QLatin1String("RegisterDatabase"))
            return s.RegisterDatabase;
        if (name == QLatin1String("IdentityTimeoutSec"))
            return s.IdentityTimeoutSec;
        if (name == QLatin1String("RegisterRecord"))
            return s.RegisterRecord;
        if (name == QLatin1String("EnabledPages"))
            return s.EnabledPages;
        if (name == QLatin1String("ReadColorText"))
            return s.ReadColorText;
        if (name == QLatin1String("Parity"))
            return s.Link.Parity;
        return {};
    }

private Q_SLOTS:
    void init() {
        FDir = std::make_unique<QTemporaryDir>();
        QVERIFY(FDir->isValid());
        SetSettingsFolder(FDir->path());
        FillProfile();
        Settings = TSettings();
        TrueCustomer = false;
    }
    void cleanup() {
        SetSettingsFolder(QString());
        FDir.reset();
    }

    // --- the INI reader and writer ---

    void readMatchesNamesWithoutCase_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::newRow("as written") << "Connection"
                                    << "Speed";
        QTest::newRow("upper") << "CONNECTION"
                               << "SPEED";
        QTest::newRow("lower") << "connection"
                               << "speed";
    }
    void readMatchesNamesWithoutCase() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        WriteIni("[Connection]\r\n  Speed = 19200  \r\n");
        QCOMPARE(TIniFile(IniPath()).ReadString(section, key, QStringLiteral("x")),
                 QStringLiteral("19200"));
        QCOMPARE(TIniFile(IniPath()).ReadString(section, QStringLiteral("Other"), "x"),
                 QStringLiteral("x"));
    }

    void readIntegerForms_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << "500" << 500;
        QTest::newRow("negative") << "-3" << -3;
        QTest::newRow("blanks") << "  42 " << 42;
        QTest::newRow("0x") << "0x1F4" << 500;
        QTest::newRow("0X lower digits") << "0X1f4" << 500;
        QTest::newRow("dollar") << "$1F4" << 500;
        QTest::newRow("full 32 bits") << "$FFFFFFFF" << -1;
        QTest::newRow("lowest") << "-2147483648" << int(-2147483647 - 1);
        QTest::newRow("too big") << "2147483648" << 7;
        QTest::newRow("hex too long") << "0x100000000" << 7;
        QTest::newRow("letters") << "abc" << 7;
        QTest::newRow("trailing junk") << "250ms" << 7;
        QTest::newRow("prefix only") << "0x" << 7;
        QTest::newRow("empty") << "" << 7;
        QTest::newRow("hex without prefix") << "1F4" << 7;
    }
    void readIntegerForms() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        WriteIni("[A]\nValue=" + text.toLatin1() + "\n");
        QCOMPARE(TIniFile(IniPath()).ReadInteger("A", "Value", 7), expected);
    }

    void readCutsLongValue() {
        WriteIni("[A]\nLong=" + QByteArray(3000, 'x') + "\n");
        QCOMPARE(TIniFile(IniPath()).ReadString("A", "Long", QString()).size(), kIniValueMaxLen);
    }

    void readTakesFirstKeyOfRepeatedSections() {
        WriteIni("[A]\nx=1\n[B]\nx=9\n[a]\nx=2\ny=3\n");
        const TIniFile ini(IniPath());
        QCOMPARE(ini.ReadString("A", "x", QString()), QStringLiteral("1"));
        QCOMPARE(ini.ReadString("A", "y", QString()), QStringLiteral("3"));
        QCOMPARE(ini.ReadSectionValues("a"), (QStringList{"x=1", "x=2", "y=3"}));
    }

    void readSectionValuesSkipsCommentsAndBlanks() {
        WriteIni("[RC]\r\n; buttons\r\nReset = AT+RESET\r\n\r\nStatus=AT+SGDT=?\r\n[Other]\r\n"
                 "Key=1\r\n");
        QCOMPARE(TIniFile(IniPath()).ReadSectionValues("rc"),
                 (QStringList{"Reset=AT+RESET", "Status=AT+SGDT=?"}));
        QVERIFY(TIniFile(IniPath()).ReadSectionValues("Missing").isEmpty());
    }

    void readNeverCreatesFile() {
        const TIniFile ini(IniPath());
        QCOMPARE(ini.ReadString("A", "b", "d"), QStringLiteral("d"));
        QVERIFY(ini.ReadSectionValues("RC").isEmpty());
        LoadSettings();
        QVERIFY(!QFile::exists(IniPath()));
    }

    void writeKeepsEveryOtherLine() {
        WriteIni("; Velmora settings\r\n\r\n[Connection]\r\ncom = COM3\r\nSpeed=19200\r\n\r\n"
                 "; remote control\r\n[RC]\r\nReset=AT+RESET\r\n[Extra]\r\nKey=Value");
        TIniFile ini(IniPath());
        QVERIFY(ini.WriteString("CONNECTION", "COM", "/dev/pts/4"));
        QVERIFY(ini.WriteString("Connection", "Timeout", "500"));
        QVERIFY(ini.WriteString("extra", "New", "1"));
        QVERIFY(ini.WriteString("Device", "Password", "1234"));
        QCOMPARE(ReadIni(),
                 QByteArray("; Velmora settings\r\n\r\n[Connection]\r\ncom = /dev/pts/4\r\n"
                            "Speed=19200\r\nTimeout=500\r\n\r\n; remote control\r\n[RC]\r\n"
                            "Reset=AT+RESET\r\n[Extra]\r\nKey=Value\r\nNew=1\r\n\r\n[Device]\r\n"
                            "Password=1234\r\n"));
    }

    void writeFollowsLfLineEnds() {
        WriteIni("[A]\nx=1\n\n[B]\ny=2\n");
        TIniFile ini(IniPath());
        QVERIFY(ini.WriteString("A", "z", "3"));
        QVERIFY(ini.WriteInteger("B", "y", -5));
        QVERIFY(ini.WriteBool("C", "on", true));
        QCOMPARE(ReadIni(), QByteArray("[A]\nx=1\nz=3\n\n[B]\ny=-5\n\n[C]\non=1\n"));
    }

    void writeCreatesMissingFile() {
        TIniFile ini(IniPath());
        QVERIFY(ini.WriteString("A", "x", "1"));
        QCOMPARE(ReadIni(), QByteArray("[A]\nx=1\n"));
    }

    void writeKeepsValueOnOneLine() {
        TIniFile ini(IniPath());
        QVERIFY(ini.WriteString("A", "x", "1\r\n[B]\r\ny=2"));
        QVERIFY(!ini.SectionExists("B"));
        QCOMPARE(ini.ReadString("A", "x", QString()), QStringLiteral("1  [B]  y=2"));
    }

    void utf8FileStaysUtf8() {
        WriteIni(Utf8("; настройки\n[Device]\nPassword=пароль\n"));
        TIniFile ini(IniPath());
        QCOMPARE(ini.ReadString("Device", "Password", QString()), QStringLiteral("пароль"));
        QVERIFY(ini.WriteString("Device", "MasterPassword", QStringLiteral("мастер")));
        QCOMPARE(ReadIni(),
                 Utf8("; настройки\n[Device]\nPassword=пароль\nMasterPassword=мастер\n"));
    }

    void utf8BomIsKept() {
        WriteIni("\xEF\xBB\xBF[Device]\nPassword=1\n");
        TIniFile ini(IniPath());
        QCOMPARE(ini.ReadString("Device", "Password", QString()), QStringLiteral("1"));
        QVERIFY(ini.WriteString("Device", "Password", QStringLiteral("ключ")));
        QCOMPARE(ReadIni(), Utf8("\xEF\xBB\xBF[Device]\nPassword=ключ\n"));
    }

    void codePageFileWithCyrillic() {
        const QByteArray comment = "; " + ToCodePage(QStringLiteral("комментарий"));
        WriteIni("[Device]\r\nPassword=" + ToCodePage(QStringLiteral("пароль")) + "\r\n" + comment +
                 "\r\n");
        TIniFile ini(IniPath());
        QCOMPARE(ini.ReadString("Device", "Password", QString()), QStringLiteral("пароль"));
        QVERIFY(ini.WriteString("Device", "MasterPassword", QStringLiteral("тест")));
        QCOMPARE(ReadIni(), "[Device]\r\nPassword=" + ToCodePage(QStringLiteral("пароль")) +
                                "\r\nMasterPassword=" + ToCodePage(QStringLiteral("тест")) +
                                "\r\n" + comment + "\r\n");
    }

    void writeFailsWhenPathCannotBeFile_data() {
        QTest::addColumn<bool>("parentIsFile");
        QTest::newRow("directory in the way") << false;
        QTest::newRow("parent is a file") << true;
    }
    void writeFailsWhenPathCannotBeFile() {
        QFETCH(bool, parentIsFile);
        if (parentIsFile) {
            const QString parent = QDir(FDir->path()).filePath("plain");
            QFile f(parent);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.close();
            SetSettingsFolder(parent);
        } else {
            QVERIFY(QDir(FDir->path()).mkdir(kSettingsFileName));
        }
        TIniFile ini(IniPath());
        QVERIFY(!ini.WriteString("A", "x", "1"));
        QVERIFY(!QFileInfo(IniPath()).isFile());
    }

    // --- LoadSettings ---

    void noFileGivesDefaults() {
        LoadSettings();
        const TSettings& s = Settings;
        QCOMPARE(s.Link.Port, QStringLiteral("COM1"));
        QCOMPARE(s.Link.Speed, 115200);
        QCOMPARE(s.Link.DataBits, 8);
        QCOMPARE(s.Link.Parity, QStringLiteral("None"));
        QCOMPARE(s.Link.StopBits, QStringLiteral("1"));
        QCOMPARE(s.Link.Timeout, 250);
        QCOMPARE(s.Link.TimeoutInterval, 250);
        QCOMPARE(s.Link.TimeoutEcho, 250);
        QVERIFY(s.Link.EndOnPrompt);
        QCOMPARE(s.Link.RetryCount, 3);
        QCOMPARE(s.Link.ConnectMethod, 0);
        QVERIFY(s.Link.Password.isEmpty());
        QVERIFY(s.Link.MasterPassword.isEmpty());
        QVERIFY(s.Link.ActivePassword().isEmpty());
        QCOMPARE(s.EnabledPages, (QStringList{"main", "gps", "gsm"}));
        QCOMPARE(s.ReadColorText, TColor(0));
        QCOMPARE(s.WriteColorText, TColor(0));
        QCOMPARE(s.ReadErrorColorText, TColor(255));
        QCOMPARE(s.WriteErrorColorText, TColor(255));
        QCOMPARE(s.GeneralErrorColorText, TColor(0x808080));
        QCOMPARE(s.Language, 0);
        QVERIFY(!s.PortPoll);
        QVERIFY(!s.Debug);
        QVERIFY(!TrueCustomer);
        QVERIFY(!QFile::exists(IniPath()));
    }

    void loadAppliesKeyRules_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("speed any integer")
            << QByteArray("[Connection]\nSpeed=19200\n") << "Speed" << QVariant(19200);
        QTest::newRow("port free text") << QByteArray("[Connection]\nCOM=/dev/pts/7\n") << "Port"
                                        << QVariant(QStringLiteral("/dev/pts/7"));
        QTest::newRow("parity as read") << QByteArray("[Connection]\nParity=weird\n") << "Parity"
                                        << QVariant(QStringLiteral("weird"));
        QTest::newRow("timeout hex")
            << QByteArray("[Connection]\nTimeout=0x1F4\n") << "Timeout" << QVariant(500);
        QTest::newRow("timeout not a number")
            << QByteArray("[Connection]\nTimeout=fast\n") << "Timeout" << QVariant(250);
        QTest::newRow("interval dollar hex") << QByteArray("[Connection]\nTimeoutInterval=$64\n")
                                             << "TimeoutInterval" << QVariant(100);
        QTest::newRow("retry zero")
            << QByteArray("[Device]\nRetryCount=0\n") << "RetryCount" << QVariant(1);
        QTest::newRow("retry negative")
            << QByteArray("[Device]\nRetryCount=-4\n") << "RetryCount" << QVariant(1);
        QTest::newRow("retry no upper bound")
            << QByteArray("[Device]\nRetryCount=250\n") << "RetryCount" << QVariant(250);
        QTest::newRow("connect method above")
            << QByteArray("[Device]\nConnectMethod=7\n") << "ConnectMethod" << QVariant(1);
        QTest::newRow("connect method below")
            << QByteArray("[Device]\nConnectMethod=-3\n") << "ConnectMethod" << QVariant(0);
        QTest::newRow("language as read")
            << QByteArray("[Interface]\nLanguage=1234\n") << "Language" << QVariant(1234);
        QTest::newRow("bool non-zero")
            << QByteArray("[Device]\nPortPoll=5\n") << "PortPoll" << QVariant(true);
        QTest::newRow("bool not a number")
            << QByteArray("[Device]\nPortPoll=yes\n") << "PortPoll" << QVariant(false);
        QTest::newRow("end on prompt off")
            << QByteArray("[Connection]\nEndOnPrompt=0\n") << "EndOnPrompt" << QVariant(false);
        QTest::newRow("end on prompt not a number")
            << QByteArray("[Connection]\nEndOnPrompt=no\n") << "EndOnPrompt" << QVariant(true);
        QTest::newRow("debug by hand")
            << QByteArray("[Interface]\nDebug=1\n") << "Debug" << QVariant(true);
        QTest::newRow("colour hex") << QByteArray("[Interface]\nReadColorText=$FF0000\n")
                                    << "ReadColorText" << QVariant(TColor(0xFF0000));
        QTest::newRow("pages missing") << QByteArray("[Interface]\n") << "EnabledPages"
                                       << QVariant(QStringList{"main", "gps", "gsm"});
        QTest::newRow("pages star") << QByteArray("[Interface]\nEnabledPages=*\n") << "EnabledPages"
                                    << QVariant(QStringList{"main", "gps", "gsm"});
        QTest::newRow("pages empty") << QByteArray("[Interface]\nEnabledPages=\n") << "EnabledPages"
                                     << QVariant(QStringList());
        QTest::newRow("pages list")
            << QByteArray("[Interface]\nEnabledPages=gsm, nosuch,main\n") << "EnabledPages"
            << QVariant(QStringList{"gsm", "nosuch", "main"});
        QTest::newRow("register database trimmed")
            << QByteArray("[Register]\nDatabase= postgresql://u@h/db \n") << "RegisterDatabase"
            << QVariant(QStringLiteral("postgresql://u@h/db"));
        QTest::newRow("identity time-out default")
            << QByteArray("[Register]\n") << "IdentityTimeoutSec" << QVariant(5);
        QTest::newRow("identity time-out zero")
            << QByteArray("[Register]\nIdentityTimeout=0\n") << "IdentityTimeoutSec" << QVariant(1);
        QTest::newRow("identity time-out above") << QByteArray("[Register]\nIdentityTimeout=900\n")
                                                 << "IdentityTimeoutSec" << QVariant(60);
        QTest::newRow("recording off")
            << QByteArray("[Register]\nRecord=0\n") << "RegisterRecord" << QVariant(false);
        QTest::newRow("recording default")
            << QByteArray("[Register]\n") << "RegisterRecord" << QVariant(true);
        QTest::newRow("star among others is an id")
            << QByteArray("[Interface]\nEnabledPages=*,gps\n") << "EnabledPages"
            << QVariant(QStringList{"*", "gps"});
    }
    void loadAppliesKeyRules() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, field);
        QFETCH(QVariant, expected);
        WriteIni(ini);
        LoadSettings();
        QCOMPARE(Field(Settings, field), expected);
        // velmora-cli reads the link's keys through the same reader.
        static const QStringList kLinkFields = {"Port",          "Speed",           "Parity",
                                                "Timeout",       "TimeoutInterval", "RetryCount",
                                                "ConnectMethod", "EndOnPrompt"};
        if (kLinkFields.contains(field)) {
            TSettings tool;
            tool.Link = ReadLinkSettings(TIniFile(IniPath()));
            QCOMPARE(Field(tool, field), expected);
        }
    }

    void activePasswordPrefersMaster_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("expected");
        QTest::newRow("user only")
            << QByteArray("[Device]\nPassword=1111\nMasterPassword=\n") << "1111";
        QTest::newRow("both") << QByteArray("[Device]\nPassword=1111\nMasterPassword=2222\n")
                              << "2222";
        QTest::newRow("master only") << QByteArray("[Device]\nMasterPassword=2222\n") << "2222";
        QTest::newRow("letter by hand") << QByteArray("[Device]\nMasterPassword=12ab\n") << "12ab";
    }
    void activePasswordPrefersMaster() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, expected);
        WriteIni(ini);
        LoadSettings();
        QCOMPARE(Settings.Link.ActivePassword(), expected);
    }

    void loadReadsTrueCustomer() {
        WriteIni("[Interface]\nTrueCustomer=1\n");
        LoadSettings();
        QVERIFY(TrueCustomer);
        WriteIni("[Interface]\nTrueCustomer=0\n");
        LoadSettings();
        QVERIFY(!TrueCustomer);
    }

    // --- SaveSettings ---

    void saveWritesKeysInOrder() {
        LoadSettings();
        Settings.EnabledPages = QStringList{"main", "gsm"};
        Settings.Debug = true;
        QVERIFY(SaveSettings());
        QCOMPARE(ReadIni(), QByteArray("[Connection]\nCOM=COM1\nSpeed=115200\nDataBits=8\n"
                                       "Parity=None\nStopBits=1\nTimeout=250\n"
                                       "TimeoutInterval=250\nTimeoutEcho=250\nEndOnPrompt=1\n\n"
                                       "[Device]\nPassword=\nMasterPassword=\nRetryCount=3\n"
                                       "ConnectMethod=0\nPortPoll=0\n\n"
                                       "[Interface]\nEnabledPages=main,gsm\nReadColorText=0\n"
                                       "WriteColorText=0\nReadErrorColorText=255\n"
                                       "WriteErrorColorText=255\nGeneralErrorColorText=8421504\n"
                                       "Language=0\n"));
    }

    void saveKeepsHandWrittenContent() {
        const QByteArray original =
            "; written by hand\r\n[Interface]\r\nDebug=1\r\nTrueCustomer=1\r\nTheme=dark\r\n"
            "EnabledPages=gps\r\n\r\n[RC]\r\nReset=AT+RESET\r\n\r\n[Device]\r\n"
            "MasterPassword=12ab\r\n";
        WriteIni(original);
        LoadSettings();
        QVERIFY(SaveSettings());
        const QByteArray saved = ReadIni();
        for (const char* kept :
             {"; written by hand\r\n[Interface]\r\nDebug=1\r\nTrueCustomer=1\r\nTheme=dark\r\n"
              "EnabledPages=gps\r\n",
              "\r\n\r\n[RC]\r\nReset=AT+RESET\r\n\r\n[Device]\r\nMasterPassword=12ab\r\n"})
            QVERIFY2(saved.contains(kept), saved.constData());
        QCOMPARE(saved.count("Debug="), 1);
        QCOMPARE(saved.count("TrueCustomer="), 1);
        QVERIFY(!saved.contains("\n\n"));
        LoadSettings();
        QCOMPARE(Settings.Link.MasterPassword, QStringLiteral("12ab"));
        QCOMPARE(TIniFile(IniPath()).ReadSectionValues("RC"), QStringList{"Reset=AT+RESET"});
    }

    // A file from before the prompt setting: the new key joins the end of
    // its section; the operator's own lines stay as and where they were.
    void saveAddsNewKeyToOlderFile() {
        const QByteArray connection =
            "[Connection]\r\nCOM=COM3\r\nSpeed=9600\r\nDataBits=8\r\nParity=None\r\n"
            "StopBits=1\r\nTimeout=300\r\nTimeoutInterval=200\r\nTimeoutEcho=100\r\n"
            "Adapter=ftdi\r\n";
        WriteIni(connection + "; tail note\r\n[Device]\r\nPassword=1\r\n");
        LoadSettings();
        QVERIFY(Settings.Link.EndOnPrompt);
        QVERIFY(SaveSettings());
        const QByteArray saved = ReadIni();
        QVERIFY2(saved.startsWith(connection +
                                  "EndOnPrompt=1\r\n; tail note\r\n[Device]\r\nPassword=1\r\n"),
                 saved.constData());
    }

    void saveKeepsUtf8File() {
        WriteIni(Utf8("; порт трекера\n[Connection]\nCOM=/dev/ttyUSB0\n[RC]\nСброс=!R\n"));
        LoadSettings();
        QVERIFY(SaveSettings());
        const QByteArray saved = ReadIni();
        QVERIFY(saved.startsWith(Utf8("; порт трекера\n[Connection]\nCOM=/dev/ttyUSB0\n")));
        QVERIFY(saved.contains(Utf8("[RC]\nСброс=!R\n")));
        QCOMPARE(TIniFile(IniPath()).ReadSectionValues("RC"), QStringList{"Сброс=!R"});
    }

    void saveThenLoadGivesSameSettings() {
        Settings.Link.Port = QStringLiteral("/dev/pts/3");
        Settings.Link.Speed = 460800;
        Settings.Link.Timeout = 1000;
        Settings.Link.TimeoutInterval = 50;
        Settings.Link.TimeoutEcho = 5000;
        Settings.Link.Password = QStringLiteral("123");
        Settings.Link.MasterPassword = QStringLiteral("4567890123");
        Settings.EnabledPages = QStringList();
        Settings.ReadColorText = 0xF0CAA6;
        Settings.GeneralErrorColorText = 0x123456;
        Settings.Link.RetryCount = 100;
        Settings.Link.ConnectMethod = 1;
        Settings.Language = 1033;
        Settings.PortPoll = true;
        Settings.Link.EndOnPrompt = false;
        const TSettings saved = Settings;
        QVERIFY(SaveSettings());
        Settings = TSettings();
        LoadSettings();
        QCOMPARE(Settings.Link.Port, saved.Link.Port);
        QCOMPARE(Settings.Link.Speed, saved.Link.Speed);
        QCOMPARE(Settings.Link.Timeout, saved.Link.Timeout);
        QCOMPARE(Settings.Link.TimeoutInterval, saved.Link.TimeoutInterval);
        QCOMPARE(Settings.Link.TimeoutEcho, saved.Link.TimeoutEcho);
        QCOMPARE(Settings.Link.Password, saved.Link.Password);
        QCOMPARE(Settings.Link.MasterPassword, saved.Link.MasterPassword);
        QCOMPARE(Settings.Link.ActivePassword(), saved.Link.MasterPassword);
        QCOMPARE(Settings.EnabledPages, QStringList());
        QCOMPARE(Settings.ReadColorText, saved.ReadColorText);
        QCOMPARE(Settings.GeneralErrorColorText, saved.GeneralErrorColorText);
        QCOMPARE(Settings.Link.RetryCount, saved.Link.RetryCount);
        QCOMPARE(Settings.Link.ConnectMethod, saved.Link.ConnectMethod);
        QCOMPARE(Settings.Language, saved.Language);
        QCOMPARE(Settings.PortPoll, saved.PortPoll);
        QCOMPARE(Settings.Link.EndOnPrompt, saved.Link.EndOnPrompt);
    }

    // A failed save changes nothing: not even the keys before the failure.
    void saveFailureNamesFile_data() {
        QTest::addColumn<bool>("partWay");
        QTest::newRow("directory in the way") << false;
        QTest::newRow("disk full part-way") << true;
    }
    void saveFailureNamesFile() {
        QFETCH(bool, partWay);
        const QByteArray original = "; mine\r\n[Connection]\r\nCOM=COM7\r\n[RC]\r\nReset=!R\r\n";
        std::unique_ptr<TFileSizeLimit> limit;
        if (partWay) {
            WriteIni(original);
            Settings.Link.Port = QStringLiteral("/dev/ttyUSB0");
            // Room for the first keys, not for all of them.
            limit = std::make_unique<TFileSizeLimit>(original.size() + 100);
        } else {
            QVERIFY(QDir(FDir->path()).mkdir(kSettingsFileName));
        }
        QString message;
        QVERIFY(!SaveSettings(&message));
        limit.reset();
        QCOMPARE(message,
                 QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(IniPath())));
        if (partWay) {
            QCOMPARE(ReadIni(), original);
            QCOMPARE(QDir(FDir->path())
                         .entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                    QDir::NoDotAndDotDot),
                     QStringList{kSettingsFileName});
        }
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
