#pragma once

#include <QString>
#include <limits>

// The numbers and codes of one status report, read from its raw items, so
// that they mean the same whatever language the window speaks.

enum TReportKind { rkNone, rkIdentity, rkSelfTest, rkSensors, rkMemory, rkNavigation, rkGsm };

constexpr double kNoNumber = std::numeric_limits<double>::quiet_NaN();
// The modem's signal level when it does not know it.
constexpr int kSignalUnknown = 99;
constexpr int kSignalMax = 31;
constexpr int kFix2D = 2;
constexpr int kFix3D = 3;

struct TUnitIdentity {
    QString Model, UnitId, Imei, Firmware;
};

// Self-test codes as reported: a part is sound at "0", the SIM at "1".
struct TSelfTest {
    QString Flash, Modem, Accel, Gps, Sim;
};

struct TSensors {
    double Supply = kNoNumber; // volts
    double Battery = kNoNumber;
    double Temperature = kNoNumber;
    bool Ignition = false;
};

struct TMemorySlots {
    qint64 ToSend = -1; // -1: unreadable
};

struct TNavigation {
    int FixType = -1; // -1: unreadable
    int Satellites = -1;
    double Speed = kNoNumber;
    QString Latitude, Longitude; // raw items: 5545.1234N, 03737.1234E
    bool HasPosition() const {
        return FixType >= kFix2D && !Latitude.isEmpty() && !Longitude.isEmpty();
    }
};

struct TGsm {
    QString Registration; // raw code
    bool Registered = false;
    bool Gprs = false;
    int ServerState = -1;
    int Signal = -1; // -1: unknown (invalid or kSignalUnknown)
};

struct TStatusReading {
    TReportKind Kind = rkNone;
    TUnitIdentity Identity;
    TSelfTest SelfTest;
    TSensors Sensors;
    TMemorySlots Memory;
    TNavigation Navigation;
    TGsm Gsm;
};

// Reads one trimmed report line; rkNone for anything that is no report.
TStatusReading ReadStatusReport(const QString& line);
