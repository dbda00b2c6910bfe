#pragma once

#include "SimInstallation.h"

#include <QDateTime>
#include <QStringList>
#include <functional>
#include <memory>

// The simulated tracker's status stream: the six reports with plausible,
// changing values (a vehicle driving a loop, a counting uptime, a varying
// signal, memory pointers that advance and wrap), as an installer sees them:
// no fix for the first seconds, then a 3D fix; the ignition and the faults
// as the installation says.
class TStatusReports {
public:
    // Without an installation the stream has one of its own (ignition off,
    // no faults, the default fix delay).
    explicit TStatusReports(int periodMs = kDefaultPeriodMs,
                            std::shared_ptr<TSimInstallation> installation = nullptr);

    // The lines of the next period. Identity and self-test reports come with
    // the first period and then every kIdentityEvery periods.
    QStringList NextLines();
    // The lines of period n as a fresh generator would give them.
    QStringList Lines(int n) const;

    static constexpr int kDefaultPeriodMs = 500;
    static constexpr int kIdentityEvery = 10;
    static constexpr qint64 kFlashSize = 0x400000;
    static constexpr qint64 kRecordBytes = 0x40;
    static constexpr int kRecordsPerSend = 4;
    // For the last kOverflowPeriods of every kOverflowCycle periods the write
    // pointer is reported past the end of the memory, so the window's
    // overflow warning can be watched coming and going.
    static constexpr int kOverflowCycle = 60;
    static constexpr int kOverflowPeriods = 10;

    static QString FormatLatitude(double degrees);  // "5545.1234N"
    static QString FormatLongitude(double degrees); // "03737.1234E"

private:
    int FPeriodMs;
    std::shared_ptr<TSimInstallation> FInstallation;
    int FStep = 0;
    QDateTime FStart;
};

// A source for TTrackerSim::SetStatusReportSource: one generator shared by
// every stream of that device, so uptime and pointers go on across streams.
std::function<QStringList(int tick)>
MakeStatusReportSource(int periodMs = TStatusReports::kDefaultPeriodMs,
                       std::shared_ptr<TSimInstallation> installation = nullptr);
