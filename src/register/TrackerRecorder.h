#pragma once

#include "Register.h"
#include "ops/IdentityRead.h"

#include <QString>

class TDeviceLink;
class TParamValues;
struct TReadResult;
struct TWriteResult;

constexpr int kRecorderIdentityTimeoutMs = 5000;

// What recording a write did: its backup first, then the write itself.
struct TWriteRecord {
    TRecordOutcome Backup;
    TRecordOutcome Write;
    // The first line worth telling, for the log and the result line.
    QString Message() const;
};

// Records what a front end does to the tracker on one link into a register
// of the same thread (none: recording is off). The tracker is asked who it
// is once per connection, before the first recorded action; a tracker that
// does not say is recorded under its port adapter's serial, unidentified.
// Recording never fails the operation: the outcome only tells the log.
class TTrackerRecorder {
public:
    explicit TTrackerRecorder(TRegister* reg = nullptr,
                              int identityTimeoutMs = kRecorderIdentityTimeoutMs);

    void SetRegister(TRegister* reg) { FRegister = reg; }
    TRegister* Register() const { return FRegister; }
    bool Enabled() const { return FRegister != nullptr; }
    void SetIdentityTimeout(int ms) { FIdentityTimeoutMs = ms; }

    // Needs command mode or enters it; does nothing once asked on this
    // connection or when recording is off.
    void Identify(TDeviceLink& link, TOpsObserver& observer);
    // The port closed: the next tracker on it may be another one.
    void Forget();
    bool Asked() const { return FAsked; }
    const TTrackerIdentity& Identity() const { return FIdentity; }
    // The unit events are recorded under: the IMEI, else the adapter's serial.
    QString Unit() const;

    // The values a read took from the tracker are its snapshot.
    TRecordOutcome RecordRead(const TDeviceLink& link, const TParamValues& read,
                              const QString& result);
    // The shared write's backup (what it read first) and the write (or a
    // restore): before, after as written and read back, the values changed.
    TWriteRecord RecordWrite(const TDeviceLink& link, const TWriteResult& write,
                             const QString& result, TRegisterAction action = raWrite);
    // A write the link ran row by row: the values read before it and the
    // tracker's values of the written commands after it.
    TWriteRecord RecordWrite(const TDeviceLink& link, const TReadResult& backupRead,
                             const TParamValues& before, const TParamValues& after,
                             const QString& result);
    TRecordOutcome RecordStore(const TDeviceLink& link, const QString& result);

private:
    TRegisterEvent NewEvent(const TDeviceLink& link, TRegisterAction action,
                            const QString& result) const;
    TRecordOutcome Record(TRegisterEvent& event);
    TWriteRecord RecordPair(TRegisterEvent& backup, TRegisterEvent& write);

    TRegister* FRegister = nullptr;
    int FIdentityTimeoutMs = kRecorderIdentityTimeoutMs;
    bool FAsked = false;
    TTrackerIdentity FIdentity;
    QString FAdapterSerial;
};
