#pragma once

#include <QString>
#include <QStringList>

// Where each field sits in a status report line. Item 0 is "+RESP:" with the
// report name; the fields follow. The window's parser and the installation
// check both read reports by these positions.

constexpr int kReportHeaderLength = 6; // "+RESP:"
constexpr int kReportNameLength = 4;

enum TDprmItem { dpModel = 1, dpUnitId, dpImei, dpFirmware, dpItems };
enum TTrepItem { trFlashId = 1, trFlash, trModem, trAccel, trGps, trSim, trItems };
enum TSrepItem {
    srFreq1 = 1,
    srCount1,
    srFreq2,
    srCount2,
    srCount3,
    srStateBits,
    srAdc1,
    srSupply,
    srBattery,
    srTemperature,
    srAccX,
    srAccY,
    srAccZ,
    srUptime,
    srSleepTimer,
    srAccStop,
    srIgnition,
    srFreezeByAcc,
    srFreezeByIgn,
    srFrozen,
    srItems
};
enum TSfptItem { sfReadPtr = 1, sfWritePtr, sfSize, sfSlotsFree, sfSlotsToSend, sfItems };
enum TSnavItem {
    snTime = 1,
    snLatitude,
    snLongitude,
    snSpeed,
    snAzimuth,
    snDate,
    snFixType,
    snSatellites,
    snAltitude,
    snAltitudeOffset,
    snItems
};
enum TSgsmItem {
    sgRegistration = 1,
    sgGprs,
    sgServerState,
    sgReserved,
    sgOperator,
    sgSignal,
    sgServerHost,
    sgServerPort,
    sgApn,
    sgApnUser,
    sgApnPassword,
    sgItems
};

// Codes the reports carry.
constexpr char kRegisteredHome[] = "1";
constexpr char kRegisteredRoaming[] = "5";
constexpr int kServerConnected = 8; // the server state "Подключено"

// The reports the tracker streams, in the order of their names.
enum TReportName { rnNone = -1, rnDprm, rnTrep, rnSrep, rnSfpt, rnSnav, rnSgsm };

// One report line cut into its items.
struct TReportLine {
    QString Name; // "DPRM" .. "SGSM"; empty: not a report to read
    TReportName Kind = rnNone;
    QStringList Items; // at least as many as the report needs
    bool IsValid() const { return !Name.isEmpty(); }
};

// A decimal integer item; fallback when empty or invalid.
int ReportInteger(const QString& item, int fallback);
// A decimal number item with "." before the decimals; NaN when empty or
// invalid.
double ReportNumber(const QString& item);

// Splits a trimmed line. Lines without the header, of another name or with
// fewer items than their report needs give an invalid result.
TReportLine SplitStatusReport(const QString& line);
