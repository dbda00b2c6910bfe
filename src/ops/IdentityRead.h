#pragma once

#include "OpsObserver.h"

#include <QString>

class TDeviceLink;

// The longest an identity read waits for the tracker's DPRM report.
constexpr int kIdentityTimeoutMs = 10000;
// Slice of its wait, so that a stop request is seen soon.
constexpr int kIdentityPumpSliceMs = 200;

// Who a tracker is, as its status stream's DPRM report tells.
struct TTrackerIdentity {
    bool Identified = false; // a DPRM report came in time
    QString Model;
    QString UnitId;
    QString Imei;
    QString Firmware;
};

// Starts the status stream, takes the first DPRM report and stops the
// stream again. Unidentified when none came within timeoutMs, the port
// failed or the observer asked to stop. Needs command mode or enters it.
TTrackerIdentity ReadIdentity(TDeviceLink& link, TOpsObserver& observer,
                              int timeoutMs = kIdentityTimeoutMs);
