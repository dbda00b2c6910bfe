#pragma once

#include <QString>
#include <QVector>

// A serial port as the system describes it.
struct TPortInfo {
    QString Name;     // "ttyUSB0"
    QString Location; // "/dev/ttyUSB0"
    QString Description;
    QString Manufacturer;
    QString UsbId; // "0403:6001", empty when not a USB device
    QString SerialNumber;
    QString ById; // stable /dev/serial/by-id name, empty when there is none
};

// by-id folder: symbolic links named after the adapter that point at the port.
QVector<TPortInfo> ListSerialPorts(const QString& byIdFolder = QStringLiteral("/dev/serial/by-id"));

int RunPorts(bool json);
