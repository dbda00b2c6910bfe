#include "settings/InstallPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestInstallPaths : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Installed: bin/ with ../share/velmora beside it. Anything else is a
    // portable folder that keeps every file beside the executable.
    void layouts_data() {
        QTest::addColumn<QString>("exe");
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<bool>("ownProfile");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("language");
        const QStringList installedTree{"usr/bin", "usr/share/velmora"};
        QTest::newRow("installed, shipped profile") << "usr/bin/velmora" << installedTree << false
                                                    << true << "usr/share/velmora/cmdprofile.xml"
                                                    << "home/.config/velmora"
                                                    << "usr/share/velmora/velmora";
        QTest::newRow("installed, the user's own profile")
            << "usr/bin/velmora" << installedTree << true << true
            << "home/.config/velmora/cmdprofile.xml"
            << "home/.config/velmora"
            << "usr/share/velmora/velmora";
        QTest::newRow("build tree") << "build/bin/velmora" << QStringList{"build/bin"} << true
                                    << false << "build/bin/cmdprofile.xml"
                                    << "build/bin"
                                    << "build/bin/velmora";
        QTest::newRow("share beside a folder not named bin")
            << "stick/velmora" << QStringList{"stick", "share/velmora"} << false << false
            << "stick/cmdprofile.xml"
            << "stick"
            << "stick/velmora";
        QTest::newRow("bin without share")
            << "opt/bin/velmora" << QStringList{"opt/bin", "opt/share"} << false << false
            << "opt/bin/cmdprofile.xml"
            << "opt/bin"
            << "opt/bin/velmora";
    }
    void layouts() {
        QFETCH(QString, exe);
        QFETCH(QStringList, folders);
        QFETCH(bool, ownProfile);
        QFETCH(bool, installed);
        QFETCH(QString, profile);
        QFETCH(QString, config);
        QFETCH(QString, language);
        QTemporaryDir dir;
        for (const QString& f : folders)
            QVERIFY(QDir().mkpath(dir.filePath(f)));
        if (ownProfile) {
            QVERIFY(QDir().mkpath(dir.filePath("home/.config/velmora")));
            QFile own(dir.filePath("home/.config/velmora/cmdprofile.xml"));
            QVERIFY(own.open(QIODevice::WriteOnly));
        }
        const TInstallPaths paths =
            ResolveInstallPaths(dir.filePath(exe), dir.filePath(QStringLiteral("home/.config")));
        QCOMPARE(paths.Installed, installed);
        QCOMPARE(paths.ProfilePath, dir.filePath(profile));
        QCOMPARE(paths.ConfigFolder, dir.filePath(config));
        QCOMPARE(paths.LanguageBase, dir.filePath(language));
    }

    // Without a configuration folder to write to, nothing would be saved.
    void noUserConfigFolderStaysPortable() {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("usr/bin")));
        QVERIFY(QDir().mkpath(dir.filePath("usr/share/velmora")));
        const TInstallPaths paths = ResolveInstallPaths(dir.filePath("usr/bin/velmora"), QString());
        QVERIFY(!paths.Installed);
        QCOMPARE(paths.ConfigFolder, dir.filePath("usr/bin"));
    }
};

QTEST_GUILESS_MAIN(TestInstallPaths)
#include "tst_installpaths.moc"
