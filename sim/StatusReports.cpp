#include "StatusReports.h"

#include <QtMath>
#include <cmath>

namespace {

constexpr double kCentreLat = 55.752057;
constexpr double kCentreLon = 37.618523;
constexpr double kLoopRadiusDeg = 0.01;
constexpr int kLoopSteps = 240; // one lap
constexpr qint64 kBootUptime = 86400 + 3600 + 60 + 1;
constexpr int kSignalMin = 12;
constexpr int kSignalMax = 31;
constexpr int kSignalUnknownEvery = 37; // now and then the modem reports 99
constexpr int kRelayToggleEvery = 20;
// Satellites in view while the receiver still searches.
constexpr int kSearchSatellites = 3;
constexpr int kNoFix = 1;
constexpr int kFix3D = 3;
// The supply: resting battery, charging with the engine on, and a unit
// wired to a flat or wrong source.
constexpr double kRestingVolts = 12.4;
constexpr double kChargingVolts = 14.1;
constexpr double kFaultVolts = 7.9;
constexpr int kModemFault = 3;

QString Hex8(qint64 v) {
    return QStringLiteral("%1").arg(quint32(v), 8, 16, QLatin1Char('0')).toUpper();
}

QString Degrees(double value, int degreeDigits, QChar positive, QChar negative) {
    const QChar hemisphere = value < 0 ? negative : positive;
    value = std::fabs(value);
    int whole = int(value);
    double minutes = (value - whole) * 60.0;
    // 59.99996 rounds up to 60.0000: carry into the degrees.
    if (minutes >= 59.99995) {
        minutes = 0.0;
        ++whole;
    }
    return QStringLiteral("%1%2%3")
        .arg(whole, degreeDigits, 10, QLatin1Char('0'))
        .arg(minutes, 7, 'f', 4, QLatin1Char('0'))
        .arg(hemisphere);
}

} // namespace

TStatusReports::TStatusReports(int periodMs, std::shared_ptr<TSimInstallation> installation)
    : FPeriodMs(qMax(1, periodMs)),
      FInstallation(installation ? std::move(installation) : std::make_shared<TSimInstallation>()),
      FStart(QDateTime::currentDateTimeUtc()) {}

QString TStatusReports::FormatLatitude(double degrees) {
    return Degrees(degrees, 2, QLatin1Char('N'), QLatin1Char('S'));
}

QString TStatusReports::FormatLongitude(double degrees) {
    return Degrees(degrees, 3, QLatin1Char('E'), QLatin1Char('W'));
}

QStringList TStatusReports::NextLines() {
    return Lines(FStep++);
}

QStringList TStatusReports::Lines(int n) const {
    QStringList lines;
    const qint64 elapsedMs = qint64(n) * FPeriodMs;
    const QDateTime now = FStart.addMSecs(elapsedMs);
    const TSimInstallation& unit = *FInstallation;
    const bool ignition = unit.IgnitionAt(elapsedMs);

    if (n % kIdentityEvery == 0) {
        lines << QStringLiteral("+RESP:DPRM,VT-SIM 300,10042,356938035643809,3.1.0");
        lines << QStringLiteral("+RESP:TREP,EF4016,0,%1,0,0,1")
                     .arg(unit.Fault(ifSelfTest) ? kModemFault : 0);
    }

    // Sensors: counters count, the relay toggles, the inputs walk through
    // their combinations; the vehicle stops for a while every lap.
    const int lapPos = n % kLoopSteps;
    const bool moving = lapPos < kLoopSteps * 3 / 4;
    const int inputs = (n / 3) % 8; // bits 1..3
    const int relay = (n / kRelayToggleEvery) % 2 ? 128 : 0;
    const int bits = relay | (inputs << 1) | 1;
    const qint64 uptime = kBootUptime + elapsedMs / 1000;
    const double vin = (unit.Fault(ifVoltage) ? kFaultVolts
                        : ignition            ? kChargingVolts
                                              : kRestingVolts) +
                       0.3 * std::sin(n / 7.0);
    const int temp = 21 + (n / 40) % 4;
    lines << QStringLiteral("+RESP:SREP,%1,%2,%3,%4,%5,%6,%7,%8,%9,%10,%11,%12,%13,%14,%15,%16,%17,"
                            "%18,%19,%20")
                 .arg(moving ? 12 : 0)
                 .arg(1000 + n * 3)
                 .arg(n % 5)
                 .arg(200 + n)
                 .arg(n / 2)
                 .arg(bits)
                 .arg(2000 + (n * 37) % 150)
                 .arg(vin, 0, 'f', 2)
                 .arg(4.1 - 0.001 * (n % 100), 0, 'f', 3)
                 .arg(temp)
                 .arg(moving ? (n * 13) % 41 - 20 : 0)
                 .arg(moving ? (n * 7) % 31 - 15 : 0)
                 .arg(1000 + (n * 5) % 23)
                 .arg(uptime)
                 .arg(moving ? 0 : lapPos - kLoopSteps * 3 / 4)
                 .arg(moving ? 0 : 1)
                 .arg(ignition ? 1 : 0)
                 .arg(1)
                 .arg(0)
                 .arg(moving ? 0 : 1);

    // Memory: a record per period, a send of several records now and then;
    // both pointers wrap at the end of the flash, except in the overflow
    // episode, when the write pointer runs past it.
    const qint64 written = qint64(n) * kRecordBytes;
    const qint64 sent = unit.Fault(ifMemoryGrowing)
                            ? 0
                            : (qint64(n) / kRecordsPerSend) * kRecordsPerSend * kRecordBytes;
    const int overflowStep = n % kOverflowCycle - (kOverflowCycle - kOverflowPeriods);
    const qint64 writePtr =
        overflowStep >= 0 ? kFlashSize + (overflowStep + 1) * kRecordBytes : written % kFlashSize;
    const qint64 readPtr = sent % kFlashSize;
    const qint64 slotsUsed = (written - sent) / kRecordBytes;
    constexpr qint64 kSlots = kFlashSize / kRecordBytes;
    lines << QStringLiteral("+RESP:SFPT,%1,%2,%3,%4,%5")
                 .arg(Hex8(readPtr), Hex8(writePtr), Hex8(kFlashSize))
                 .arg(kSlots - slotsUsed)
                 .arg(slotsUsed);

    // Navigation: a loop around the centre while moving, standing still
    // after; while the receiver searches, no position at all.
    const bool fixed = !unit.Fault(ifNoFix) && elapsedMs >= unit.FixDelay();
    const double angle = 2.0 * M_PI * qMin(lapPos, kLoopSteps * 3 / 4) / (kLoopSteps * 3 / 4);
    const double lat = kCentreLat + kLoopRadiusDeg * std::sin(angle);
    const double lon = kCentreLon + kLoopRadiusDeg * 1.8 * std::cos(angle);
    const int azimuth = (int(qRadiansToDegrees(angle)) + 360) % 360;
    const QString time = now.toString(QStringLiteral("hhmmss"));
    const QString date = now.toString(QStringLiteral("ddMMyy"));
    if (fixed)
        lines << QStringLiteral("+RESP:SNAV,%1,%2,%3,%4,%5,%6,%7,%8,%9,%10")
                     .arg(time, FormatLatitude(lat), FormatLongitude(lon))
                     .arg(moving ? 40 + (n * 3) % 25 : 0)
                     .arg(azimuth)
                     .arg(date)
                     .arg(kFix3D)
                     .arg(7 + (n / 11) % 5)
                     .arg(150.0 + 5.0 * std::sin(n / 15.0), 0, 'f', 1)
                     .arg(QStringLiteral("14.6"));
    else
        lines << QStringLiteral("+RESP:SNAV,%1,,,0,0,%2,%3,%4,,")
                     .arg(time, date)
                     .arg(kNoFix)
                     .arg(qMin(n / 4, kSearchSatellites));

    // GSM: the level rises and falls; state walks connecting -> connected.
    const int span = kSignalMax - kSignalMin;
    const int phase = n % (2 * span);
    int level = kSignalMin + (phase < span ? phase : 2 * span - phase);
    if (n % kSignalUnknownEvery == kSignalUnknownEvery - 1)
        level = 99;
    const bool noServer = unit.Fault(ifNoServer);
    const int state = noServer ? 0 : n < 2 ? 6 : 8;
    lines << QStringLiteral("+RESP:SGSM,%1,%2,%3,0,\"MTS, RUS\",%4,srv.example.net,20100,"
                            "internet.mts.ru,mts,mts")
                 .arg(noServer      ? 2
                      : n % 50 < 45 ? 1
                                    : 5)
                 .arg(noServer ? 0 : 1)
                 .arg(state)
                 .arg(level);
    return lines;
}

std::function<QStringList(int)>
MakeStatusReportSource(int periodMs, std::shared_ptr<TSimInstallation> installation) {
    auto generator = std::make_shared<TStatusReports>(periodMs, std::move(installation));
    return [generator](int) { return generator->NextLines(); };
}
