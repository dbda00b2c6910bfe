#include "PortDiagnosis.h"

#include "PortListing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr char kModemManager[] = "ModemManager";
constexpr char kBrltty[] = "brltty";
constexpr char kLockPrefix[] = "LCK..";
// A binary lock file of the old kind holds the pid as one 4-byte integer.
constexpr qint64 kBinaryLockSize = sizeof(qint32);
// Lock files are a few bytes; anything larger is not one.
constexpr qint64 kMaxLockFileSize = 128;
// USB interfaces lie one level below the device, their tty one or two below.
constexpr int kUsbTtySearchDepth = 3;
// getgroups is asked again when the list changes between count and fetch.
constexpr int kGroupQueryAttempts = 3;
constexpr size_t kPasswdBufferStart = 1024;
constexpr size_t kPasswdBufferMax = 1024 * 1024;
constexpr int kMaxNamedHolders = 3;

struct TProcess {
    qint64 Pid = 0;
    QString Name;
};

QString ReadSmallText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.read(kMaxLockFileSize)).trimmed();
}

QString ProcessName(const TPortSystemView& view, qint64 pid) {
    return ReadSmallText(QStringLiteral("%1/%2/comm").arg(view.ProcRoot).arg(pid));
}

bool ProcessAlive(const TPortSystemView& view, qint64 pid) {
    return pid > 0 && QFileInfo(QStringLiteral("%1/%2").arg(view.ProcRoot).arg(pid)).isDir();
}

QList<qint64> Pids(const TPortSystemView& view) {
    QList<qint64> pids;
    const QStringList names = QDir(view.ProcRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        bool ok = false;
        const qint64 pid = name.toLongLong(&ok);
        if (ok && pid > 0)
            pids << pid;
    }
    return pids;
}

QList<TProcess> ProcessesNamed(const TPortSystemView& view, const QString& name) {
    QList<TProcess> found;
    for (qint64 pid : Pids(view))
        if (ProcessName(view, pid) == name)
            found.append({pid, name});
    return found;
}

QString LinkTarget(const QString& path) {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(QFile::encodeName(path).constData(), buffer, sizeof(buffer) - 1);
    return n > 0 ? QFile::decodeName(QByteArray(buffer, int(n))) : QString();
}

// Processes with the device open, found through their descriptor links.
// Folders the user may not read are passed over (reported by the caller).
QList<TProcess> Holders(const TPortSystemView& view, const QStringList& targets, bool* hidden) {
    QList<TProcess> holders;
    *hidden = false;
    for (qint64 pid : Pids(view)) {
        if (pid == view.OwnPid)
            continue;
        QDir fdDir(QStringLiteral("%1/%2/fd").arg(view.ProcRoot).arg(pid));
        if (!fdDir.exists())
            continue;
        if (!fdDir.isReadable()) {
            *hidden = true;
            continue;
        }
        const QStringList fds = fdDir.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot);
        for (const QString& fd : fds) {
            if (targets.contains(LinkTarget(fdDir.filePath(fd)))) {
                holders.append({pid, ProcessName(view, pid)});
                break;
            }
        }
    }
    return holders;
}

QString HolderText(const TProcess& p) {
    if (p.Name == QLatin1String(kModemManager))
        return TPortDiagnosis::tr(
                   "Порт занят службой ModemManager (pid %1): она проверяет, не модем ли это. "
                   "Установите правило udev программы (%2) или остановите службу: "
                   "sudo systemctl stop ModemManager.")
            .arg(p.Pid)
            .arg(QLatin1String(kUdevRuleFileName));
    if (p.Name == QLatin1String(kBrltty))
        return TPortDiagnosis::tr("Порт занят программой brltty (pid %1) для брайлевских "
                                  "дисплеев. Если она не нужна, удалите её: "
                                  "sudo apt remove brltty.")
            .arg(p.Pid);
    const QString name = p.Name.isEmpty() ? TPortDiagnosis::tr("без имени") : p.Name;
    return TPortDiagnosis::tr("Порт занят процессом %1 (pid %2): закройте эту программу.")
        .arg(name)
        .arg(p.Pid);
}

// Digits and blanks only: a text lock, whatever its length.
bool LockText(const QByteArray& data) {
    return std::all_of(data.cbegin(), data.cend(), [](char c) {
        return (c >= '0' && c <= '9') || c == ' ' || c == '\t' || c == '\n' || c == '\r';
    });
}

// A pid from a UUCP lock file: ten digits of text, or one binary integer.
// "633\n" is four bytes as well; a binary pid (below 2^24) always holds a
// zero byte, so it is never all digits and blanks.
qint64 LockPid(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxLockFileSize)
        return 0;
    const QByteArray data = f.readAll();
    if (data.size() == kBinaryLockSize && !LockText(data)) {
        qint32 pid = 0;
        memcpy(&pid, data.constData(), sizeof(pid));
        return pid;
    }
    bool ok = false;
    const qint64 pid = data.split('\n').value(0).trimmed().toLongLong(&ok);
    return ok ? pid : 0;
}

struct TGroup {
    QString Name;
    QStringList Members;
};

TGroup FindGroup(const TPortSystemView& view, quint32 gid) {
    QFile f(view.GroupFile);
    if (f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        while (!f.atEnd()) {
            const QStringList fields = QString::fromUtf8(f.readLine()).trimmed().split(':');
            bool ok = false;
            if (fields.size() >= 4 && fields.at(2).toUInt(&ok) == gid && ok)
                return {fields.at(0), fields.at(3).split(',', Qt::SkipEmptyParts)};
        }
    }
    return {QString::number(gid), {}};
}

bool UsbTty(const QString& name) {
    return name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM"));
}

QString PermissionText(const TPortSystemView& view, const QString& devicePath,
                       const struct stat& st) {
    if (view.Uid == 0)
        return QString();
    const bool inGroup = view.Gids.contains(st.st_gid);
    mode_t need = 0;
    if (st.st_uid == view.Uid)
        need = S_IRUSR | S_IWUSR;
    else if (inGroup)
        need = S_IRGRP | S_IWGRP;
    else
        need = S_IROTH | S_IWOTH;
    if ((st.st_mode & need) == need)
        return QString();

    const TGroup group = FindGroup(view, st.st_gid);
    const bool groupCanUse = (st.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    QString text;
    if (st.st_uid != view.Uid && groupCanUse && !inGroup) {
        if (!view.UserName.isEmpty() && group.Members.contains(view.UserName))
            text = TPortDiagnosis::tr("Нет доступа к %1: вы уже в группе «%2», но этот сеанс "
                                      "начат раньше. Выйдите из системы и войдите снова.")
                       .arg(devicePath, group.Name);
        else
            text = TPortDiagnosis::tr("Нет доступа к %1: порт принадлежит группе «%2», а вы в "
                                      "неё не входите. Выполните: sudo usermod -aG %2 %3 — и "
                                      "войдите в систему заново.")
                       .arg(devicePath, group.Name,
                            view.UserName.isEmpty() ? QStringLiteral("$USER") : view.UserName);
    } else {
        text = TPortDiagnosis::tr("Нет доступа к %1: права %2, группа «%3».")
                   .arg(devicePath, QString::number(st.st_mode & 0777, 8), group.Name);
    }
    const bool ruleInstalled =
        std::any_of(view.UdevRuleFiles.cbegin(), view.UdevRuleFiles.cend(),
                    [](const QString& path) { return QFileInfo::exists(path); });
    if (UsbTty(QFileInfo(devicePath).fileName()) && !view.UdevRuleFiles.isEmpty() && !ruleInstalled)
        text += QLatin1Char(' ') + TPortDiagnosis::tr("Правило udev программы (%1) не "
                                                      "установлено: с ним порт USB-адаптера "
                                                      "доступен вошедшему пользователю.")
                                       .arg(QLatin1String(kUdevRuleFileName));
    return text;
}

// A USB-serial bridge present on the bus with no tty of its own.
QStringList OrphanBridges(const TPortSystemView& view) {
    QStringList found;
    const QDir usb(view.SysRoot + QStringLiteral("/bus/usb/devices"));
    const QStringList devices = usb.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& device : devices) {
        const QString folder = usb.filePath(device);
        bool okV = false, okP = false;
        const quint16 vid = ReadSmallText(folder + QStringLiteral("/idVendor")).toUShort(&okV, 16);
        const quint16 pid = ReadSmallText(folder + QStringLiteral("/idProduct")).toUShort(&okP, 16);
        if (!okV || !okP || !IsKnownSerialBridge(vid, pid))
            continue;
        bool hasTty = false;
        QStringList level = {folder};
        for (int depth = 0; depth < kUsbTtySearchDepth && !hasTty; ++depth) {
            QStringList next;
            for (const QString& dir : level) {
                const QStringList subs =
                    QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
                for (const QString& sub : subs) {
                    if (UsbTty(sub) || sub == QLatin1String("tty"))
                        hasTty = true;
                    next << QDir(dir).filePath(sub);
                }
            }
            level = next;
        }
        if (hasTty)
            continue;
        QString product = ReadSmallText(folder + QStringLiteral("/product"));
        if (product.isEmpty())
            product = KnownBridgeName(vid, pid);
        found << QStringLiteral("%1 (%2)").arg(product, UsbIdText(vid, pid));
    }
    return found;
}

QString MissingText(const TPortSystemView& view, const QString& devicePath) {
    QStringList parts;
    const QStringList present = PresentPortNames(view.SysRoot);
    if (present.isEmpty())
        parts << TPortDiagnosis::tr("Порта %1 нет, и других последовательных портов в системе "
                                    "тоже нет.")
                     .arg(devicePath);
    else
        parts << TPortDiagnosis::tr("Порта %1 нет. Есть порты: %2.")
                     .arg(devicePath, present.join(QStringLiteral(", ")));
    const QStringList orphans = OrphanBridges(view);
    if (!orphans.isEmpty()) {
        const QList<TProcess> brltty = ProcessesNamed(view, QLatin1String(kBrltty));
        if (!brltty.isEmpty())
            parts << TPortDiagnosis::tr("Адаптер %1 подключён, но порта у него нет: его забрала "
                                        "программа brltty (pid %2) для брайлевских дисплеев. "
                                        "Если она не нужна, удалите её: sudo apt remove brltty "
                                        "— и переподключите адаптер.")
                         .arg(orphans.join(QStringLiteral(", ")))
                         .arg(brltty.first().Pid);
        else
            parts << TPortDiagnosis::tr("Адаптер %1 подключён, но порта у него нет: драйвер к "
                                        "нему не подключился.")
                         .arg(orphans.join(QStringLiteral(", ")));
    }
    return parts.join(QLatin1Char(' '));
}

// However many there are: a user may be in more groups than any fixed array
// holds. The count is asked first; a change in between asks again.
std::vector<gid_t> SupplementaryGroups() {
    for (int attempt = 0; attempt < kGroupQueryAttempts; ++attempt) {
        const int count = ::getgroups(0, nullptr);
        if (count <= 0)
            return {};
        std::vector<gid_t> groups(static_cast<size_t>(count));
        const int n = ::getgroups(count, groups.data());
        if (n >= 0) {
            groups.resize(size_t(n));
            return groups;
        }
        if (errno != EINVAL)
            return {};
    }
    return {};
}

// getpwuid's record is shared by every thread; each port has its own.
QString UserNameOf(uid_t uid) {
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? size_t(suggested) : kPasswdBufferStart);
    for (;;) {
        struct passwd record {};
        struct passwd* found = nullptr;
        const int error = ::getpwuid_r(uid, &record, buffer.data(), buffer.size(), &found);
        if (error == 0)
            return found ? QString::fromLocal8Bit(found->pw_name) : QString();
        if (error != ERANGE || buffer.size() >= kPasswdBufferMax)
            return QString();
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

TPortSystemView TPortSystemView::Current() {
    TPortSystemView view;
    view.Uid = ::geteuid();
    for (const gid_t gid : SupplementaryGroups())
        view.Gids << gid;
    if (!view.Gids.contains(::getegid()))
        view.Gids << ::getegid();
    view.UserName = UserNameOf(view.Uid);
    view.OwnPid = QCoreApplication::applicationPid();
    for (const char* folder : {"/lib/udev/rules.d/", "/usr/lib/udev/rules.d/", "/etc/udev/rules.d/",
                               "/usr/local/lib/udev/rules.d/"})
        view.UdevRuleFiles << QLatin1String(folder) + QLatin1String(kUdevRuleFileName);
    return view;
}

QString TPortDiagnosis::Explain(const QString& devicePath, int systemError,
                                const TPortSystemView& view) {
    // The device as this view sees it: /dev paths move with the fake tree.
    QString node = devicePath;
    if (devicePath.startsWith(QLatin1String("/dev/")))
        node = view.DevRoot + devicePath.mid(4);
    struct stat st {};
    if (::stat(QFile::encodeName(node).constData(), &st) != 0)
        return errno == ENOENT ? MissingText(view, devicePath) : QString();

    QStringList parts;
    QStringList targets = {devicePath, node};
    const QString canonical = QFileInfo(node).canonicalFilePath();
    if (!canonical.isEmpty() && !targets.contains(canonical))
        targets << canonical;
    bool hidden = false;
    const QList<TProcess> holders = Holders(view, targets, &hidden);
    QList<qint64> named;
    int others = 0;
    for (const TProcess& p : holders) {
        named << p.Pid;
        // A long list of holders buries the remedy: the first few are enough.
        if (named.size() > kMaxNamedHolders) {
            ++others;
            continue;
        }
        parts << HolderText(p);
    }
    if (others > 0)
        parts << tr("И ещё процессов: %1.").arg(others);

    const QString lockName = QLatin1String(kLockPrefix) + QFileInfo(devicePath).fileName();
    for (const QString& folder : view.LockFolders) {
        const QString lock = QDir(folder).filePath(lockName);
        if (!QFileInfo(lock).isFile())
            continue;
        const qint64 pid = LockPid(lock);
        if (ProcessAlive(view, pid)) {
            if (!named.contains(pid) && pid != view.OwnPid) {
                parts << tr("Порт заблокирован файлом %1 процесса %2 (pid %3): закройте эту "
                            "программу.")
                             .arg(lock, ProcessName(view, pid))
                             .arg(pid);
                named << pid;
            }
        } else {
            parts << tr("Остался устаревший файл блокировки %1 (процесса %2 уже нет). "
                        "Удалите его: sudo rm %1")
                         .arg(lock, pid > 0 ? QString::number(pid) : tr("без номера"));
        }
    }

    // A busy port whose holder this user may not see: name ModemManager only
    // when it runs.
    if (holders.isEmpty() && hidden && systemError == EBUSY) {
        const QList<TProcess> mm = ProcessesNamed(view, QLatin1String(kModemManager));
        if (!mm.isEmpty())
            parts << tr("Порт занят, а чей процесс его держит, видно только root. Работает "
                        "служба ModemManager (pid %1), которая проверяет новые порты: "
                        "установите правило udev программы (%2) или остановите её: "
                        "sudo systemctl stop ModemManager.")
                         .arg(mm.first().Pid)
                         .arg(QLatin1String(kUdevRuleFileName));
    }

    if (holders.isEmpty()) {
        const QString permission = PermissionText(view, devicePath, st);
        if (!permission.isEmpty())
            parts << permission;
    }
    return parts.join(QLatin1Char(' '));
}
