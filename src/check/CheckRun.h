#pragma once

#include "check/CheckRecord.h"

#include <QDateTime>
#include <QString>
#include <functional>

class TDeviceLink;
class TOpsObserver;

// How long a check without a window runs at the most, by default.
constexpr int kCheckDefaultSeconds = 120;
// Slice of its wait, so that a stop request is seen soon.
constexpr int kCheckPumpSliceMs = 200;

struct TCheckRunOptions {
    TCheckSettings Settings;
    int Seconds = kCheckDefaultSeconds;
    // Milliseconds since the epoch; the wall clock when empty. The check's
    // time and its limit both run on it.
    std::function<qint64()> Clock;
};

struct TCheckRunResult {
    bool Streamed = false; // command mode reached and the stream started
    QString Failure;       // why the port failed half-way; empty when it did not
    QDateTime Started, Finished;
    TCheckRecord Record;
};

// Runs the installation check on a link without a window: starts the status
// stream, judges its reports and stops the stream once every enabled
// criterion holds, when the time is up or the observer asks to stop. Needs
// command mode or enters it.
TCheckRunResult RunInstallCheck(TDeviceLink& link, TOpsObserver& observer,
                                const TCheckRunOptions& options);
