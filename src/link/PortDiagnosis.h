#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

// What the diagnosis may look at: the system folders (a test points them at
// a fake tree) and who the user is.
struct TPortSystemView {
    QString ProcRoot = QStringLiteral("/proc");
    QString DevRoot = QStringLiteral("/dev");
    QString SysRoot = QStringLiteral("/sys");
    QStringList LockFolders = {QStringLiteral("/run/lock"), QStringLiteral("/var/lock")};
    QString GroupFile = QStringLiteral("/etc/group");
    // Any of them present counts as the program's udev rule being installed.
    QStringList UdevRuleFiles;
    quint32 Uid = 0;
    QList<quint32> Gids;
    QString UserName;
    // This program's own process, never reported as a holder.
    qint64 OwnPid = 0;

    // The real system as the running program sees it.
    static TPortSystemView Current();
};

constexpr char kUdevRuleFileName[] = "60-velmora.rules";

// Why a port would not open, in plain words with the remedy, as one log
// line. Only what was found is named; empty when nothing was found.
class TPortDiagnosis {
    Q_DECLARE_TR_FUNCTIONS(TPortDiagnosis)
public:
    // devicePath as the port layer opened it (/dev/ttyUSB0); systemError the
    // errno of the failed open, or -1.
    static QString Explain(const QString& devicePath, int systemError,
                           const TPortSystemView& view = TPortSystemView::Current());
};
