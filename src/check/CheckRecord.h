#pragma once

#include "check/InstallCheck.h"
#include "check/StatusHistory.h"

#include <QString>

// One installation check of one unit: the criteria and the plotted history,
// both fed from the same report lines. Time is milliseconds since the epoch,
// what the plots' time axis shows.
class TCheckRecord {
public:
    explicit TCheckRecord(const TCheckSettings& settings = TCheckSettings());

    // One trimmed report line; anything else is ignored.
    void Add(const QString& line, qint64 ms);
    // A new unit (or new thresholds): criteria and history anew.
    void Reset(const TCheckSettings& settings);

    const TInstallCheck& Check() const { return FCheck; }
    TInstallCheck& Check() { return FCheck; }
    const TStatusHistory& History() const { return FHistory; }

private:
    TInstallCheck FCheck;
    TStatusHistory FHistory;
};
