#include "CliPorts.h"

#include "CliOptions.h"
#include "CliOutput.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QSerialPortInfo>

namespace {

QString Hex4(quint16 value) {
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

} // namespace

QVector<TPortInfo> ListSerialPorts(const QString& byIdFolder) {
    // The by-id links, resolved once: target path -> link path.
    QHash<QString, QString> byId;
    const QDir folder(byIdFolder);
    for (const QFileInfo& link : folder.entryInfoList(QDir::System | QDir::Files, QDir::Name)) {
        if (!link.isSymLink())
            continue;
        const QString target = QFileInfo(link.symLinkTarget()).canonicalFilePath();
        if (!target.isEmpty() && !byId.contains(target))
            byId.insert(target, link.absoluteFilePath());
    }
    QVector<TPortInfo> out;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& p : ports) {
        TPortInfo info;
        info.Name = p.portName();
        info.Location = p.systemLocation();
        info.Description = p.description();
        info.Manufacturer = p.manufacturer();
        if (p.hasVendorIdentifier() && p.hasProductIdentifier())
            info.UsbId =
                Hex4(p.vendorIdentifier()) + QLatin1Char(':') + Hex4(p.productIdentifier());
        info.SerialNumber = p.serialNumber();
        const QString canonical = QFileInfo(info.Location).canonicalFilePath();
        info.ById = byId.value(canonical.isEmpty() ? info.Location : canonical);
        out.append(info);
    }
    std::sort(out.begin(), out.end(), [](const TPortInfo& a, const TPortInfo& b) {
        return a.Name.compare(b.Name, Qt::CaseInsensitive) < 0;
    });
    return out;
}

int RunPorts(bool json) {
    const QVector<TPortInfo> ports = ListSerialPorts();
    for (const TPortInfo& p : ports) {
        if (json) {
            QJsonObject o;
            o.insert(QStringLiteral("port"), p.Location);
            o.insert(QStringLiteral("name"), p.Name);
            o.insert(QStringLiteral("description"), p.Description);
            o.insert(QStringLiteral("manufacturer"), p.Manufacturer);
            o.insert(QStringLiteral("usb"), p.UsbId);
            o.insert(QStringLiteral("serial"), p.SerialNumber);
            o.insert(QStringLiteral("by_id"), p.ById);
            PutText(stdout, QString::fromUtf8(JsonLine(o)));
            continue;
        }
        QStringList parts{p.Location};
        if (!p.Description.isEmpty())
            parts << p.Description;
        if (!p.Manufacturer.isEmpty())
            parts << p.Manufacturer;
        if (!p.UsbId.isEmpty())
            parts << QStringLiteral("usb ") + p.UsbId;
        if (!p.SerialNumber.isEmpty())
            parts << QStringLiteral("serial ") + p.SerialNumber;
        if (!p.ById.isEmpty())
            parts << p.ById;
        PutText(stdout, parts.join(QStringLiteral("  ")) + QLatin1Char('\n'));
    }
    if (ports.isEmpty() && !json)
        PutText(stderr, QStringLiteral("velmora-cli: no serial ports found\n"));
    return ceSuccess;
}
