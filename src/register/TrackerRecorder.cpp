#include "TrackerRecorder.h"

#include "RegisterSnapshot.h"
#include "config/ParamValueTable.h"
#include "link/ComPort.h"
#include "link/DeviceLink.h"
#include "link/PortListing.h"
#include "ops/ResultWords.h"
#include "ops/TrackerWrite.h"
#include "profile/HeldValues.h"

QString TWriteRecord::Message() const {
    const QString backup = Backup.Message();
    return backup.isEmpty() ? Write.Message() : backup;
}

TTrackerRecorder::TTrackerRecorder(TRegister* reg, int identityTimeoutMs)
    : FRegister(reg), FIdentityTimeoutMs(identityTimeoutMs) {}

void TTrackerRecorder::Identify(TDeviceLink& link, TOpsObserver& observer) {
    if (!FRegister || FAsked)
        return;
    FAsked = true;
    FIdentity = ReadIdentity(link, observer, FIdentityTimeoutMs);
    if (FIdentity.Imei.trimmed().isEmpty())
        FAdapterSerial = PortAdapterSerial(link.ComPort1->Port());
}

void TTrackerRecorder::Forget() {
    FAsked = false;
    FIdentity = TTrackerIdentity();
    FAdapterSerial.clear();
}

QString TTrackerRecorder::Unit() const {
    const QString imei = FIdentity.Imei.trimmed();
    return imei.isEmpty() ? FAdapterSerial : imei;
}

TRegisterEvent TTrackerRecorder::NewEvent(const TDeviceLink& link, TRegisterAction action,
                                          const QString& result) const {
    TRegisterEvent e;
    e.Unit = Unit(); // empty: the register takes the port, unidentified
    e.Identified = !FIdentity.Imei.trimmed().isEmpty();
    e.Model = FIdentity.Model;
    e.UnitId = FIdentity.UnitId;
    e.Firmware = FIdentity.Firmware;
    e.Port = link.ComPort1->Port();
    e.Action = action;
    e.Result = result;
    return e;
}

TRecordOutcome TTrackerRecorder::Record(TRegisterEvent& event) {
    if (!FRegister)
        return {};
    event.HasBefore = !event.Before.isEmpty();
    event.HasAfter = !event.After.isEmpty();
    return FRegister->Record(event);
}

TRecordOutcome TTrackerRecorder::RecordRead(const TDeviceLink& link, const TParamValues& read,
                                            const QString& result) {
    if (!FRegister)
        return {};
    TRegisterEvent e = NewEvent(link, raRead, result);
    e.Before = SnapshotOf(read);
    return Record(e);
}

TWriteRecord TTrackerRecorder::RecordPair(TRegisterEvent& backup, TRegisterEvent& write) {
    TWriteRecord r;
    r.Backup = Record(backup);
    r.Write = Record(write);
    return r;
}

TWriteRecord TTrackerRecorder::RecordWrite(const TDeviceLink& link, const TWriteResult& write,
                                           const QString& result, TRegisterAction action) {
    if (!FRegister)
        return {};
    // After: what was there, the rows as the tracker answered them, then
    // what it gave back when read again.
    TParamValueTable after;
    CopyHeld(write.Before, after);
    for (const TCmdAddress& row : write.Written) {
        const TDevCommand* cmd = CommandAt(row);
        for (int p = 0; cmd && p < cmd->Parameters.size(); ++p) {
            const TCmdAddress a{row.Page, row.Command, row.Row, p};
            if (write.Answered.Held(a) & hpValue)
                after.SetWireText(a, write.Answered.WireText(a));
        }
    }
    CopyHeld(write.After, after);
    TRegisterEvent backup = NewEvent(link, raBackup, ReadResultWord(write.BeforeRead));
    backup.Before = SnapshotOf(write.Before);
    TRegisterEvent e = NewEvent(link, action, result);
    e.Before = backup.Before;
    e.After = SnapshotOf(after);
    e.Changes = ChangedValues(write.Before, after);
    return RecordPair(backup, e);
}

TWriteRecord TTrackerRecorder::RecordWrite(const TDeviceLink& link, const TReadResult& backupRead,
                                           const TParamValues& before, const TParamValues& after,
                                           const QString& result) {
    if (!FRegister)
        return {};
    TRegisterEvent backup = NewEvent(link, raBackup, ReadResultWord(backupRead));
    backup.Before = SnapshotOf(before);
    TParamValueTable whole;
    CopyHeld(before, whole);
    CopyHeld(after, whole);
    TRegisterEvent e = NewEvent(link, raWrite, result);
    e.Before = backup.Before;
    e.After = SnapshotOf(whole);
    e.Changes = ChangedValues(before, whole);
    return RecordPair(backup, e);
}

TRecordOutcome TTrackerRecorder::RecordStore(const TDeviceLink& link, const QString& result) {
    if (!FRegister)
        return {};
    TRegisterEvent e = NewEvent(link, raStore, result);
    return Record(e);
}
