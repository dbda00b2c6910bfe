#pragma once

#include <QString>
#include <QStringList>

class TIniFile;

// The criteria of the installation check, in the order they are shown.
enum TCriterion { ckSelfTest, ckNavigation, ckGsm, ckPower, ckIgnition, ckMemory, ckCount };

// Section of the settings file holding the thresholds.
constexpr char kCheckSection[] = "Check";

// Thresholds of the check. The defaults suit a 12 V or 24 V vehicle: the
// supply of either system, charging or not, lies within 11..32 V.
struct TCheckSettings {
    bool Enabled[ckCount] = {true, true, true, true, true, true};
    int MinSatellites = 6;    // a 3D fix with at least this many satellites
    int FixHoldSeconds = 10;  // ... held this long
    int MinSignal = 10;       // GSM level, 0..31
    double MinVoltage = 11.0; // supply, volts
    double MaxVoltage = 32.0;
    int MaxSlotsGrowth = 5;       // slots to send may grow this much over the check
    int MemoryWindowSeconds = 20; // a queue that never grew holds after this long
};

// The INI key switching a criterion on (1) or off (0).
QString CriterionKey(TCriterion criterion);

// Reads the section [Check]; a missing key keeps its default. A value that
// is not a number, out of its range, or a voltage range upside down keeps
// the default too and is described in problems.
TCheckSettings ReadCheckSettings(const TIniFile& ini, QStringList* problems = nullptr);
