#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// One serial port as the system describes it (the settings dialog's list,
// velmora-cli ports).
struct TPortListEntry {
    QString Name;     // "ttyUSB0"
    QString Location; // "/dev/ttyUSB0"
    QString Description;
    QString Manufacturer;
    bool HasIds = false;
    quint16 VendorId = 0;
    quint16 ProductId = 0;
    QString SerialNumber;
    // The stable name under /dev/serial/by-id, empty when there is none.
    QString ById;
};

// "ttyUSB0 — CP2102 USB to UART Bridge (10c4:ea60) — usb-Silicon_Labs_…";
// parts that are unknown are left out, so a bare port shows its name only.
QString PortListLabel(const TPortListEntry& entry);

// "10c4:ea60".
QString UsbIdText(quint16 vendorId, quint16 productId);

// The common USB-serial bridges (FTDI, CP210x, CH340/CH341, PL2303).
bool IsKnownSerialBridge(quint16 vendorId, quint16 productId);
QString KnownBridgeName(quint16 vendorId, quint16 productId);

// Device file name ("ttyUSB0") -> its by-id link name, from the links in
// the folder (normally /dev/serial/by-id).
QMap<QString, QString> ByIdNames(const QString& byIdFolder);

// The tty devices backed by hardware under sysRoot/class/tty (the legacy
// 8250 ports that every PC registers are left out), sorted.
QStringList PresentPortNames(const QString& sysRoot);

// Where udev keeps the stable names of serial adapters.
constexpr char kByIdFolder[] = "/dev/serial/by-id";

// The ports present now, sorted by name without regard to letter case.
QList<TPortListEntry> ListPortEntries(const QString& byIdFolder = QLatin1String(kByIdFolder));

// The serial number of the USB-serial adapter behind a port ("A12B3C4D"),
// else its by-id name, else empty: what names a tracker that does not tell
// its own IMEI.
QString PortAdapterSerial(const QString& port,
                          const QString& byIdFolder = QLatin1String(kByIdFolder));
