#include "CheckRecord.h"

#include "check/StatusReading.h"

TCheckRecord::TCheckRecord(const TCheckSettings& settings) : FCheck(settings) {}

void TCheckRecord::Add(const QString& line, qint64 ms) {
    const TStatusReading reading = ReadStatusReport(line);
    if (reading.Kind == rkNone)
        return;
    FHistory.Add(reading, ms);
    FCheck.Add(reading, ms);
}

void TCheckRecord::Reset(const TCheckSettings& settings) {
    FCheck = TInstallCheck(settings);
    FHistory.Clear();
}
