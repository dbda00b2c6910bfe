#include "link/PortListing.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(TPortListEntry)

class TestPortListing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void label_data() {
        QTest::addColumn<TPortListEntry>("entry");
        QTest::addColumn<QString>("expected");
        auto usb = [](const char* desc, quint16 vid, quint16 pid, const char* byId) {
            TPortListEntry e;
            e.Name = QStringLiteral("ttyUSB0");
            e.Description = QString::fromUtf8(desc);
            e.HasIds = true;
            e.VendorId = vid;
            e.ProductId = pid;
            e.ById = QString::fromUtf8(byId);
            return e;
        };
        QTest::newRow("full") << usb("CP2102 USB to UART Bridge", 0x10c4, 0xea60,
                                     "usb-Silicon_Labs_CP2102_0001-if00-port0")
                              << QStringLiteral("ttyUSB0 — CP2102 USB to UART Bridge (10c4:ea60) "
                                                "— usb-Silicon_Labs_CP2102_0001-if00-port0");
        QTest::newRow("ids keep leading zeros")
            << usb("USB-Serial Controller", 0x067b, 0x0203, "")
            << QStringLiteral("ttyUSB0 — USB-Serial Controller (067b:0203)");
        QTest::newRow("no description: the bridge's known name")
            << usb("", 0x1a86, 0x7523, "") << QStringLiteral("ttyUSB0 — WCH CH340 (1a86:7523)");
        QTest::newRow("no description, unknown ids")
            << usb(" ", 0x1234, 0xabcd, "") << QStringLiteral("ttyUSB0 — (1234:abcd)");
        TPortListEntry bare;
        bare.Name = QStringLiteral("ttyS0");
        QTest::newRow("bare port: its name only") << bare << QStringLiteral("ttyS0");
        TPortListEntry maker = bare;
        maker.Manufacturer = QStringLiteral("Acme");
        QTest::newRow("manufacturer when nothing else") << maker << QStringLiteral("ttyS0 — Acme");
    }
    void label() {
        QFETCH(TPortListEntry, entry);
        QFETCH(QString, expected);
        QCOMPARE(PortListLabel(entry), expected);
    }

    void byIdNamesResolveLinks() {
        QTemporaryDir dir;
        const QString byId = dir.filePath(QStringLiteral("serial/by-id"));
        QVERIFY(QDir().mkpath(byId));
        QVERIFY(
            QFile::link(QStringLiteral("../../ttyUSB0"), byId + "/usb-FTDI_FT232R_A1-if00-port0"));
        QVERIFY(QFile::link(QStringLiteral("../../ttyACM0"), byId + "/usb-Tracker_ACM-if00"));
        QFile plain(byId + "/not-a-link");
        QVERIFY(plain.open(QIODevice::WriteOnly));
        const QMap<QString, QString> names = ByIdNames(byId);
        QCOMPARE(names.size(), 2);
        QCOMPARE(names.value("ttyUSB0"), QStringLiteral("usb-FTDI_FT232R_A1-if00-port0"));
        QCOMPARE(names.value("ttyACM0"), QStringLiteral("usb-Tracker_ACM-if00"));
        QVERIFY(ByIdNames(dir.filePath(QStringLiteral("missing"))).isEmpty());
    }

    void presentPortsSkipLegacyAndDeviceless() {
        QTemporaryDir dir;
        auto tty = [&](const QString& name, const QString& driver) {
            QVERIFY(QDir().mkpath(dir.filePath("class/tty/" + name + "/device")));
            QVERIFY(QDir().mkpath(dir.filePath("drivers/" + driver)));
            QVERIFY(QFile::link(dir.filePath("drivers/" + driver),
                                dir.filePath("class/tty/" + name + "/device/driver")));
        };
        tty(QStringLiteral("ttyUSB10"), QStringLiteral("ch341-uart"));
        tty(QStringLiteral("ttyUSB2"), QStringLiteral("cp210x"));
        tty(QStringLiteral("ttyS0"), QStringLiteral("serial8250"));
        tty(QStringLiteral("ttyS4"), QStringLiteral("dw-apb-uart"));
        QVERIFY(QDir().mkpath(dir.filePath("class/tty/tty1"))); // a console: no device
        QCOMPARE(PresentPortNames(dir.path()), (QStringList{"ttyS4", "ttyUSB10", "ttyUSB2"}));
    }
};

QTEST_GUILESS_MAIN(TestPortListing)
#include "tst_portlisting.moc"
