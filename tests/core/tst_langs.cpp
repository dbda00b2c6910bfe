#include "settings/Langs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr char kContext[] = "tst_langs";
constexpr char kSource[] = "Привет";
constexpr char kOtherSource[] = "Пока";
constexpr int kLreleaseTimeoutMs = 60000;

QString Translated() {
    return QCoreApplication::translate(kContext, kSource);
}

// Builds a real module with lrelease, translating kSource (or only
// kOtherSource) into the given text.
bool WriteModule(const QString& path, const QString& translation, bool translateOther = false) {
    const QString ts = path + QStringLiteral(".ts");
    QFile file(ts);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QString source = QString::fromUtf8(translateOther ? kOtherSource : kSource);
    const QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                       "<!DOCTYPE TS>\n<TS version=\"2.1\" language=\"en_US\">\n"
                                       "<context><name>%1</name><message><source>%2</source>"
                                       "<translation>%3</translation></message></context>\n"
                                       "</TS>\n")
                            .arg(QString::fromLatin1(kContext), source, translation);
    file.write(xml.toUtf8());
    file.close();
    const QString lrelease =
        QDir(QLibraryInfo::path(QLibraryInfo::BinariesPath)).filePath(QStringLiteral("lrelease"));
    QProcess process;
    process.start(lrelease, {QStringLiteral("-silent"), ts, QStringLiteral("-qm"), path});
    const bool ok = process.waitForFinished(kLreleaseTimeoutMs) &&
                    process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    QFile::remove(ts);
    return ok && QFile::exists(path);
}

bool WriteJunk(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("MZ not a translation") > 0;
}

} // namespace

class tst_Langs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();

    void abbreviationOfLocale_data();
    void abbreviationOfLocale();
    void qtLocaleMapsToWindowsId_data();
    void qtLocaleMapsToWindowsId();
    void systemLocaleUsedForZero();

    void candidatesFollowExecutableName_data();
    void candidatesFollowExecutableName();

    void moduleChosenBesideExecutable_data();
    void moduleChosenBesideExecutable();
    void unreadableModuleFallsBackToTwoLetters();
    void newModuleReleasesPrevious();
    void failedSwitchKeepsModuleInUse();
};

void tst_Langs::cleanup() {
    ReleaseInterfaceLanguage();
    QCOMPARE(Translated(), QString::fromUtf8(kSource));
}

void tst_Langs::abbreviationOfLocale_data() {
    QTest::addColumn<int>("locale");
    QTest::addColumn<QString>("abbreviation");
    QTest::newRow("russian") << 1049 << "RUS";
    QTest::newRow("english us") << 1033 << "ENU";
    QTest::newRow("english uk") << 2057 << "ENG";
    QTest::newRow("german") << 1031 << "DEU";
    QTest::newRow("spanish traditional") << 1034 << "ESP";
    QTest::newRow("spanish modern") << 3082 << "ESN";
    QTest::newRow("ukrainian") << 1058 << "UKR";
    QTest::newRow("kazakh") << 1087 << "KKZ";
    QTest::newRow("chinese simplified") << 2052 << "CHS";
    QTest::newRow("portuguese brazil") << 1046 << "PTB";
    QTest::newRow("unknown id") << 4242 << "";
    QTest::newRow("negative id") << -1 << "";
}

void tst_Langs::abbreviationOfLocale() {
    QFETCH(int, locale);
    QFETCH(QString, abbreviation);
    QCOMPARE(LocaleAbbreviation(locale), abbreviation);
}

void tst_Langs::qtLocaleMapsToWindowsId_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("territory");
    QTest::addColumn<int>("id");
    QTest::newRow("ru_RU") << int(QLocale::Russian) << int(QLocale::Russia) << 1049;
    QTest::newRow("en_US") << int(QLocale::English) << int(QLocale::UnitedStates) << 1033;
    QTest::newRow("en_GB") << int(QLocale::English) << int(QLocale::UnitedKingdom) << 2057;
    QTest::newRow("en_IN falls back to primary")
        << int(QLocale::English) << int(QLocale::India) << 1033;
    QTest::newRow("ru_UA falls back to primary")
        << int(QLocale::Russian) << int(QLocale::Ukraine) << 1049;
    QTest::newRow("zh_TW") << int(QLocale::Chinese) << int(QLocale::Taiwan) << 1028;
    QTest::newRow("es_ES") << int(QLocale::Spanish) << int(QLocale::Spain) << 3082;
    QTest::newRow("pt_PT") << int(QLocale::Portuguese) << int(QLocale::Portugal) << 2070;
    QTest::newRow("C locale") << int(QLocale::C) << int(QLocale::AnyTerritory) << 0;
    QTest::newRow("unlisted language") << int(QLocale::Esperanto) << int(QLocale::World) << 0;
}

void tst_Langs::qtLocaleMapsToWindowsId() {
    QFETCH(int, language);
    QFETCH(int, territory);
    QFETCH(int, id);
    QCOMPARE(WindowsLocaleId(QLocale::Language(language), QLocale::Territory(territory)), id);
}

void tst_Langs::systemLocaleUsedForZero() {
    const int system = SystemLocaleId();
    QCOMPARE(LocaleAbbreviation(0), LocaleAbbreviation(system));
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString exe = dir.filePath(QStringLiteral("tool"));
    QCOMPARE(LanguageModuleCandidates(exe, 0), LanguageModuleCandidates(exe, system));
}

void tst_Langs::candidatesFollowExecutableName_data() {
    QTest::addColumn<QString>("executable");
    QTest::addColumn<int>("locale");
    QTest::addColumn<QStringList>("candidates");
    QTest::newRow("no extension gets one")
        << "/opt/app/velmora" << 1033 << QStringList{"/opt/app/velmora.ENU", "/opt/app/velmora.EN"};
    QTest::newRow("extension replaced")
        << "/opt/app/tool.exe" << 1033 << QStringList{"/opt/app/tool.ENU", "/opt/app/tool.EN"};
    QTest::newRow("only the last extension replaced")
        << "/opt/app/tool.v3.bin" << 1049
        << QStringList{"/opt/app/tool.v3.RUS", "/opt/app/tool.v3.RU"};
    QTest::newRow("dotted folder left alone")
        << "/opt/app.d/velmora" << 1031
        << QStringList{"/opt/app.d/velmora.DEU", "/opt/app.d/velmora.DE"};
    QTest::newRow("hidden name is no extension")
        << "/opt/app/.tool" << 1033 << QStringList{"/opt/app/.tool.ENU", "/opt/app/.tool.EN"};
    QTest::newRow("locale without abbreviation") << "/opt/app/tool.exe" << 4242 << QStringList{};
    QTest::newRow("no executable path") << "" << 1033 << QStringList{};
}

void tst_Langs::candidatesFollowExecutableName() {
    QFETCH(QString, executable);
    QFETCH(int, locale);
    QFETCH(QStringList, candidates);
    QCOMPARE(LanguageModuleCandidates(executable, locale), candidates);
}

void tst_Langs::moduleChosenBesideExecutable_data() {
    QTest::addColumn<QString>("executable");
    QTest::addColumn<int>("locale");
    QTest::addColumn<QStringList>("modules");
    QTest::addColumn<QString>("loaded");
    QTest::newRow("three letters first")
        << "tool" << 1033 << QStringList{"tool.ENU", "tool.EN"} << "tool.ENU";
    QTest::newRow("two letters when three are missing")
        << "tool" << 1033 << QStringList{"tool.EN"} << "tool.EN";
    QTest::newRow("neither present stays built-in")
        << "tool" << 1033 << QStringList{"tool.DEU", "other.ENU"} << "";
    QTest::newRow("russian without module stays built-in")
        << "tool" << 1049 << QStringList{"tool.ENU", "tool.EN"} << "";
    QTest::newRow("russian module when present")
        << "tool" << 1049 << QStringList{"tool.RUS"} << "tool.RUS";
    QTest::newRow("extension of executable replaced")
        << "tool.exe" << 1033 << QStringList{"tool.ENU"} << "tool.ENU";
    QTest::newRow("extension is not kept before abbreviation")
        << "tool.exe" << 1033 << QStringList{"tool.exe.ENU", "tool.exe.EN"} << "";
    QTest::newRow("locale without abbreviation")
        << "tool" << 4242 << QStringList{"tool.ENU", "tool."} << "";
    QTest::newRow("no qm suffix guessing")
        << "tool" << 1033 << QStringList{"tool.ENU.qm", "tool.qm"} << "";
}

void tst_Langs::moduleChosenBesideExecutable() {
    QFETCH(QString, executable);
    QFETCH(int, locale);
    QFETCH(QStringList, modules);
    QFETCH(QString, loaded);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString& name : modules)
        QVERIFY2(WriteModule(dir.filePath(name), name), qPrintable(name));

    const QString result = SetInterfaceLanguageFor(dir.filePath(executable), locale);
    if (loaded.isEmpty()) {
        QCOMPARE(result, QString());
        QCOMPARE(InstalledLanguageModule(), QString());
        QCOMPARE(Translated(), QString::fromUtf8(kSource));
    } else {
        QCOMPARE(result, dir.filePath(loaded));
        QCOMPARE(InstalledLanguageModule(), dir.filePath(loaded));
        QCOMPARE(Translated(), loaded);
    }
}

void tst_Langs::unreadableModuleFallsBackToTwoLetters() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(WriteJunk(dir.filePath(QStringLiteral("tool.ENU"))));
    QVERIFY(WriteModule(dir.filePath(QStringLiteral("tool.EN")), QStringLiteral("two")));
    QCOMPARE(SetInterfaceLanguageFor(dir.filePath(QStringLiteral("tool")), 1033),
             dir.filePath(QStringLiteral("tool.EN")));
    QCOMPARE(Translated(), QStringLiteral("two"));

    // An empty file is no module either.
    QFile empty(dir.filePath(QStringLiteral("bare.ENU")));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    ReleaseInterfaceLanguage();
    QCOMPARE(SetInterfaceLanguageFor(dir.filePath(QStringLiteral("bare")), 1033), QString());
}

void tst_Langs::newModuleReleasesPrevious() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(WriteModule(dir.filePath(QStringLiteral("tool.ENU")), QStringLiteral("english")));
    // Translates another text only: a module left installed underneath would
    // still answer for kSource.
    QVERIFY(
        WriteModule(dir.filePath(QStringLiteral("tool.DEU")), QStringLiteral("tschuess"), true));
    const QString exe = dir.filePath(QStringLiteral("tool"));

    QVERIFY(!SetInterfaceLanguageFor(exe, 1033).isEmpty());
    QCOMPARE(Translated(), QStringLiteral("english"));
    QVERIFY(!SetInterfaceLanguageFor(exe, 1031).isEmpty());
    QCOMPARE(InstalledLanguageModule(), dir.filePath(QStringLiteral("tool.DEU")));
    QCOMPARE(Translated(), QString::fromUtf8(kSource));
    QCOMPARE(QCoreApplication::translate(kContext, kOtherSource), QStringLiteral("tschuess"));
}

void tst_Langs::failedSwitchKeepsModuleInUse() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(WriteModule(dir.filePath(QStringLiteral("tool.ENU")), QStringLiteral("english")));
    const QString exe = dir.filePath(QStringLiteral("tool"));
    QVERIFY(!SetInterfaceLanguageFor(exe, 1033).isEmpty());
    QCOMPARE(SetInterfaceLanguageFor(exe, 1049), QString());
    QCOMPARE(InstalledLanguageModule(), dir.filePath(QStringLiteral("tool.ENU")));
    QCOMPARE(Translated(), QStringLiteral("english"));
}

QTEST_GUILESS_MAIN(tst_Langs)
#include "tst_langs.moc"
