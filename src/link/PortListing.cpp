#include "PortListing.h"

#include "ComPort.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

namespace {

struct TBridge {
    quint16 VendorId;
    quint16 ProductId;
    const char* Name;
};

// Keep in step with the udev rules file shipped with the program.
constexpr TBridge kBridges[] = {
    {0x0403, 0x6001, "FTDI FT232R"},         {0x0403, 0x6015, "FTDI FT-X"},
    {0x10c4, 0xea60, "Silicon Labs CP210x"}, {0x10c4, 0xea70, "Silicon Labs CP2105"},
    {0x1a86, 0x7523, "WCH CH340"},           {0x1a86, 0x7522, "WCH CH340"},
    {0x1a86, 0x5523, "WCH CH341"},           {0x067b, 0x2303, "Prolific PL2303"},
};

constexpr char kSeparator[] = " \u2014 ";

} // namespace

QString UsbIdText(quint16 vendorId, quint16 productId) {
    return QStringLiteral("%1:%2")
        .arg(vendorId, 4, 16, QLatin1Char('0'))
        .arg(productId, 4, 16, QLatin1Char('0'));
}

bool IsKnownSerialBridge(quint16 vendorId, quint16 productId) {
    return !KnownBridgeName(vendorId, productId).isEmpty();
}

QString KnownBridgeName(quint16 vendorId, quint16 productId) {
    for (const TBridge& b : kBridges)
        if (b.VendorId == vendorId && b.ProductId == productId)
            return QLatin1String(b.Name);
    return QString();
}

QString PortListLabel(const TPortListEntry& entry) {
    QString label = entry.Name;
    QString what = entry.Description.trimmed();
    if (what.isEmpty() && entry.HasIds)
        what = KnownBridgeName(entry.VendorId, entry.ProductId);
    if (what.isEmpty())
        what = entry.Manufacturer.trimmed();
    if (entry.HasIds) {
        const QString ids = QStringLiteral("(%1)").arg(UsbIdText(entry.VendorId, entry.ProductId));
        what = what.isEmpty() ? ids : what + QLatin1Char(' ') + ids;
    }
    if (!what.isEmpty())
        label += QString::fromUtf8(kSeparator) + what;
    if (!entry.ById.isEmpty())
        label += QString::fromUtf8(kSeparator) + entry.ById;
    return label;
}

QMap<QString, QString> ByIdNames(const QString& byIdFolder) {
    QMap<QString, QString> names;
    const QDir folder(byIdFolder);
    const QFileInfoList links =
        folder.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& link : links) {
        if (!link.isSymLink())
            continue;
        // Targets are relative ("../../ttyUSB0"); only the device's name matters.
        const QString device = QFileInfo(link.symLinkTarget()).fileName();
        if (!device.isEmpty() && !names.contains(device))
            names.insert(device, link.fileName());
    }
    return names;
}

QStringList PresentPortNames(const QString& sysRoot) {
    QStringList names;
    const QDir ttyClass(sysRoot + QStringLiteral("/class/tty"));
    const QStringList entries = ttyClass.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : entries) {
        const QString device = ttyClass.filePath(name) + QStringLiteral("/device");
        if (!QFileInfo::exists(device))
            continue;
        const QString driver = QFileInfo(device + QStringLiteral("/driver")).symLinkTarget();
        if (QFileInfo(driver).fileName() == QLatin1String("serial8250"))
            continue;
        names << name;
    }
    TComPort::SortPortNames(names);
    return names;
}

QList<TPortListEntry> ListPortEntries(const QString& byIdFolder) {
    const QMap<QString, QString> byId = ByIdNames(byIdFolder);
    QList<TPortListEntry> entries;
    QStringList seen;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports) {
        if (seen.contains(info.portName()))
            continue;
        seen << info.portName();
        TPortListEntry e;
        e.Name = info.portName();
        e.Location = info.systemLocation();
        e.Description = info.description();
        e.Manufacturer = info.manufacturer();
        e.HasIds = info.hasVendorIdentifier() && info.hasProductIdentifier();
        e.VendorId = info.vendorIdentifier();
        e.ProductId = info.productIdentifier();
        e.SerialNumber = info.serialNumber();
        e.ById = byId.value(e.Name);
        entries << e;
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TPortListEntry& a, const TPortListEntry& b) {
                         return a.Name.compare(b.Name, Qt::CaseInsensitive) < 0;
                     });
    return entries;
}

QString PortAdapterSerial(const QString& port, const QString& byIdFolder) {
    // A symbolic link (by-id, or a test's) names the device it points to.
    const QFileInfo info(port);
    const QString device = info.isSymLink() ? info.symLinkTarget() : port;
    const QString serial = QSerialPortInfo(device).serialNumber().trimmed();
    if (!serial.isEmpty())
        return serial;
    return ByIdNames(byIdFolder).value(QFileInfo(device).fileName());
}
