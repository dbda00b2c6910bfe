#include "link/PortDiagnosis.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr quint32 kUserUid = 4242;
constexpr quint32 kUserGid = 4242;
constexpr qint64 kOwnPid = 777;

// A fake system: /proc, /dev, /sys, lock folders and /etc/group under one
// scratch folder. The user is never root, whoever runs the test.
class TFakeSystem {
public:
    TFakeSystem() {
        for (const char* sub :
             {"proc", "dev", "sys/class/tty", "sys/bus/usb/devices", "run/lock", "etc", "rules"})
            QDir().mkpath(Path(sub));
        View.ProcRoot = Path("proc");
        View.DevRoot = Path("dev");
        View.SysRoot = Path("sys");
        View.LockFolders = {Path("run/lock")};
        View.GroupFile = Path("etc/group");
        View.UdevRuleFiles = {Path("rules/60-velmora.rules")};
        View.Uid = kUserUid;
        View.Gids = {kUserGid};
        View.UserName = QStringLiteral("anna");
        View.OwnPid = kOwnPid;
        // The device nodes' real group gets the name "dialout".
        Write("etc/group", QStringLiteral("root:x:0:\ndialout:x:%1:%2\nanna:x:%3:\n")
                               .arg(::getgid())
                               .arg(QString())
                               .arg(kUserGid));
    }

    QString Path(const QString& rel) const { return Dir.filePath(rel); }
    void Write(const QString& rel, const QByteArray& data) {
        QDir().mkpath(QFileInfo(Path(rel)).path());
        QFile f(Path(rel));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(data);
    }
    void Write(const QString& rel, const QString& text) { Write(rel, text.toUtf8()); }
    void Node(const QString& name, mode_t mode) {
        Write(QStringLiteral("dev/") + name, QByteArray());
        QCOMPARE(::chmod(QFile::encodeName(Path("dev/" + name)).constData(), mode), 0);
    }
    void Process(qint64 pid, const QString& name, const QStringList& openFiles = {}) {
        Write(QStringLiteral("proc/%1/comm").arg(pid), name + QLatin1Char('\n'));
        QDir().mkpath(Path(QStringLiteral("proc/%1/fd").arg(pid)));
        int fd = 3;
        for (const QString& target : openFiles)
            QVERIFY(QFile::link(target, Path(QStringLiteral("proc/%1/fd/%2").arg(pid).arg(fd++))));
    }
    void Tty(const QString& name, const QString& driver = QStringLiteral("usb-serial")) {
        QDir().mkpath(Path("sys/class/tty/" + name + "/device"));
        QDir().mkpath(Path("sys/drivers/" + driver));
        QFile::link(Path("sys/drivers/" + driver),
                    Path("sys/class/tty/" + name + "/device/driver"));
    }
    void UsbDevice(const QString& bus, const char* vid, const char* pid, const QString& product,
                   const QString& tty = QString()) {
        Write("sys/bus/usb/devices/" + bus + "/idVendor", QByteArray(vid) + '\n');
        Write("sys/bus/usb/devices/" + bus + "/idProduct", QByteArray(pid) + '\n');
        Write("sys/bus/usb/devices/" + bus + "/product", product + QLatin1Char('\n'));
        if (!tty.isEmpty())
            QDir().mkpath(Path("sys/bus/usb/devices/" + bus + "/" + bus + ":1.0/" + tty));
    }
    QString Explain(const QString& port = QStringLiteral("/dev/ttyUSB0"), int error = -1) const {
        return TPortDiagnosis::Explain(port, error, View);
    }

    QTemporaryDir Dir;
    TPortSystemView View;
};

} // namespace

class TestPortDiagnosis : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingPort_data() {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("usbTty"); // "-": no bridge on the bus
        QTest::addColumn<bool>("brltty");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("absent");
        const QStringList none;
        QTest::newRow("other ports listed, legacy 8250 left out")
            << QStringList{"ttyUSB1", "ttyACM0"} << "-" << false
            << QStringList{"Порта /dev/ttyUSB0 нет. Есть порты: ttyACM0, ttyUSB1."}
            << QStringList{"ttyS0", "Адаптер"};
        QTest::newRow("no ports at all")
            << none << "-" << false << QStringList{"других последовательных портов"}
            << QStringList{"Адаптер"};
        QTest::newRow("bridge without a port, brltty runs")
            << none << "" << true
            << QStringList{"USB Serial (1a86:7523)", "brltty (pid 812)", "sudo apt remove brltty"}
            << QStringList{"драйвер"};
        QTest::newRow("bridge without a port, no brltty")
            << none << "" << false << QStringList{"USB Serial (1a86:7523)", "драйвер"}
            << QStringList{"brltty"};
        QTest::newRow("bridge with its port: nothing said of it")
            << QStringList{"ttyUSB3"} << "ttyUSB3" << true << QStringList{"Есть порты: ttyUSB3"}
            << QStringList{"brltty", "Адаптер"};
    }
    void missingPort() {
        QFETCH(QStringList, present);
        QFETCH(QString, usbTty);
        QFETCH(bool, brltty);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, absent);
        TFakeSystem sys;
        for (const QString& name : present)
            sys.Tty(name);
        sys.Tty(QStringLiteral("ttyS0"), QStringLiteral("serial8250"));
        if (usbTty != QLatin1String("-"))
            sys.UsbDevice(QStringLiteral("1-2"), "1a86", "7523", QStringLiteral("USB Serial"),
                          usbTty);
        sys.UsbDevice(QStringLiteral("1-3"), "046d", "c52b", QStringLiteral("Receiver"));
        if (brltty)
            sys.Process(812, QStringLiteral("brltty"));
        const QString text = sys.Explain(QStringLiteral("/dev/ttyUSB0"), ENOENT);
        for (const QString& e : expected)
            QVERIFY2(text.contains(e), qPrintable(text));
        for (const QString& a : absent)
            QVERIFY2(!text.contains(a), qPrintable(text));
    }

    void permission_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("members");
        QTest::addColumn<bool>("ruleInstalled");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("not in the group")
            << 0660 << "" << false << "ttyUSB0"
            << QStringList{"группе «dialout»", "sudo usermod -aG dialout anna", "заново",
                           "60-velmora.rules"}
            << QStringList{"сеанс"};
        QTest::newRow("joined, but the session is older")
            << 0660 << "root,anna" << true << "ttyUSB0"
            << QStringList{"уже в группе «dialout»", "войдите снова"}
            << QStringList{"usermod", "udev"};
        QTest::newRow("a built-in port needs no udev rule")
            << 0660 << "" << false << "ttyS4" << QStringList{"usermod"} << QStringList{"udev"};
        QTest::newRow("group cannot use it either")
            << 0600 << "" << true << "ttyUSB0" << QStringList{"права 600", "«dialout»"}
            << QStringList{"usermod"};
        QTest::newRow("open to everybody: nothing to say")
            << 0666 << "" << false << "ttyUSB0" << QStringList{} << QStringList{"доступа"};
    }
    void permission() {
        QFETCH(int, mode);
        QFETCH(QString, members);
        QFETCH(bool, ruleInstalled);
        QFETCH(QString, port);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, absent);
        TFakeSystem sys;
        sys.Write(QStringLiteral("etc/group"), QStringLiteral("dialout:x:%1:%2\nanna:x:%3:\n")
                                                   .arg(::getgid())
                                                   .arg(members)
                                                   .arg(kUserGid));
        if (ruleInstalled)
            sys.Write(QStringLiteral("rules/60-velmora.rules"), QByteArray("#\n"));
        sys.Node(port, mode_t(mode));
        const QString text = sys.Explain(QStringLiteral("/dev/") + port, EACCES);
        if (expected.isEmpty())
            QVERIFY2(text.isEmpty(), qPrintable(text));
        for (const QString& e : expected)
            QVERIFY2(text.contains(e), qPrintable(text));
        for (const QString& a : absent)
            QVERIFY2(!text.contains(a), qPrintable(text));
    }

    void holders_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("ModemManager")
            << "ModemManager"
            << "/dev/ttyUSB0"
            << QStringList{"ModemManager (pid 501)", "sudo systemctl stop ModemManager",
                           "60-velmora.rules"};
        QTest::newRow("brltty") << "brltty"
                                << "/dev/ttyUSB0"
                                << QStringList{"brltty (pid 501)", "sudo apt remove brltty"};
        QTest::newRow("a terminal program")
            << "picocom"
            << "/dev/ttyUSB0" << QStringList{"процессом picocom (pid 501)"};
        QTest::newRow("through a by-id link")
            << "minicom"
            << "BYID" << QStringList{"процессом minicom (pid 501)"};
    }
    void holders() {
        QFETCH(QString, name);
        QFETCH(QString, target);
        QFETCH(QStringList, expected);
        TFakeSystem sys;
        sys.Node(QStringLiteral("ttyUSB0"), 0666);
        QString port = QStringLiteral("/dev/ttyUSB0");
        if (target == QLatin1String("BYID")) {
            // The operator typed the by-id name; the holder's link names the node.
            QDir().mkpath(sys.Path("dev/serial/by-id"));
            QVERIFY(QFile::link(sys.Path("dev/ttyUSB0"), sys.Path("dev/serial/by-id/usb-X")));
            port = QStringLiteral("/dev/serial/by-id/usb-X");
            target = sys.Path("dev/ttyUSB0");
        }
        sys.Process(501, name, {target});
        sys.Process(502, QStringLiteral("bash"), {QStringLiteral("/dev/pts/1")});
        const QString text = sys.Explain(port, EBUSY);
        for (const QString& e : expected)
            QVERIFY2(text.contains(e), qPrintable(text));
        QVERIFY2(!text.contains(QLatin1String("bash")), qPrintable(text));
    }

    void manyHoldersNamedUpToThree() {
        TFakeSystem sys;
        sys.Node(QStringLiteral("ttyUSB0"), 0666);
        for (qint64 pid = 601; pid <= 605; ++pid)
            sys.Process(pid, QStringLiteral("cat"), {QStringLiteral("/dev/ttyUSB0")});
        const QString text = sys.Explain();
        QCOMPARE(text.count(QStringLiteral("процессом cat")), 3);
        QVERIFY2(text.endsWith(QStringLiteral("И ещё процессов: 2.")), qPrintable(text));
    }

    void ownProcessIsNoHolder() {
        TFakeSystem sys;
        sys.Node(QStringLiteral("ttyUSB0"), 0666);
        sys.Process(kOwnPid, QStringLiteral("velmora"), {QStringLiteral("/dev/ttyUSB0")});
        QCOMPARE(sys.Explain(), QString());
    }

    void lockFiles_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<qint64>("pid");
        QTest::addColumn<bool>("alive");
        QTest::addColumn<QString>("expected");
        const auto binary = [](qint32 pid) {
            return QByteArray(reinterpret_cast<const char*>(&pid), sizeof(pid));
        };
        QTest::newRow("stale text lock")
            << QByteArray("       633\n") << qint64(633) << false << "устаревший файл блокировки";
        QTest::newRow("stale binary lock")
            << binary(633) << qint64(633) << false << "(процесса 633 уже нет)";
        QTest::newRow("lock without a pid")
            << QByteArray("\n") << qint64(633) << false << "без номера";
        QTest::newRow("lock of a live process")
            << QByteArray("633\n") << qint64(633) << true << "заблокирован файлом";
        // 561 is 0x231: the first byte is the digit "1".
        QTest::newRow("binary lock starting with a digit")
            << binary(561) << qint64(561) << true << "заблокирован файлом";
        QTest::newRow("four-byte text lock")
            << QByteArray("561\n") << qint64(561) << true << "заблокирован файлом";
    }
    void lockFiles() {
        QFETCH(QByteArray, content);
        QFETCH(qint64, pid);
        QFETCH(bool, alive);
        QFETCH(QString, expected);
        TFakeSystem sys;
        sys.Node(QStringLiteral("ttyUSB0"), 0666);
        sys.Write(QStringLiteral("run/lock/LCK..ttyUSB0"), content);
        if (alive)
            sys.Process(pid, QStringLiteral("cu"));
        const QString text = sys.Explain();
        QVERIFY2(text.contains(expected), qPrintable(text));
        if (!alive)
            QVERIFY2(text.contains(QLatin1String("sudo rm ")), qPrintable(text));
        else
            QVERIFY2(text.contains(QStringLiteral("cu (pid %1)").arg(pid)), qPrintable(text));
    }

    // The running user's own view: every group, however many, and the name.
    void currentViewOfUser() {
        if (::geteuid() != 0)
            QSKIP("only root can give itself more groups");
        std::vector<gid_t> saved(size_t(::getgroups(0, nullptr)));
        saved.resize(size_t(::getgroups(int(saved.size()), saved.data())));
        constexpr gid_t kFirst = 70000;
        constexpr int kMany = 300; // more than a fixed array of 256 holds
        std::vector<gid_t> many;
        for (int i = 0; i < kMany; ++i)
            many.push_back(kFirst + gid_t(i));
        QCOMPARE(::setgroups(many.size(), many.data()), 0);
        const TPortSystemView view = TPortSystemView::Current();
        QCOMPARE(::setgroups(saved.size(), saved.data()), 0);
        for (const gid_t gid : many)
            QVERIFY2(view.Gids.contains(gid), qPrintable(QString::number(gid)));
        const struct passwd* pw = ::getpwuid(0);
        QVERIFY(pw);
        QCOMPARE(view.UserName, QString::fromLocal8Bit(pw->pw_name));
    }
};

QTEST_GUILESS_MAIN(TestPortDiagnosis)
#include "tst_portdiagnosis.moc"
