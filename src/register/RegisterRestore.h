#pragma once

#include "TrackerRecorder.h"
#include "ops/TrackerWrite.h"

#include <QString>

// How writing an event's "before" back went.
struct TRestoreOutcome {
    qint64 Event = 0;    // the event restored
    QString Error;       // why nothing was sent: no such event, no snapshot, another unit
    TWriteResult Write;  // the shared write's result, when it ran
    TWriteRecord Record; // its backup and restore events
    bool Ran() const { return Error.isEmpty(); }
};

// Writes the values the tracker held before event number (0: the unit's
// last write) back to the tracker on the link through the shared write,
// with its checks, backup and verification, and records it as a restore.
// The tracker must be the event's unit when it tells its IMEI.
TRestoreOutcome RestoreEvent(TTrackerRecorder& recorder, qint64 number, TDeviceLink& link,
                             const TWriteOptions& options, TOpsObserver& observer);
