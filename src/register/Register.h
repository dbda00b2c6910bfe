#pragma once

#include "RegisterEvent.h"
#include "RegisterLocation.h"
#include "RegisterStore.h"
#include "base/Workplace.h"

#include <QDeadlineTimer>
#include <QString>

// What recording one event did, for the log and the result line.
struct TRecordOutcome {
    bool Recorded = false; // in the register, or kept on this computer for it
    qint64 Number = 0;     // "event N" in the database that holds it
    bool Kept = false;     // kept in the local register: the shared one was unreachable
    int Sent = 0;          // events kept earlier, sent to the shared register now
    int Waiting = 0;       // kept events still waiting to be sent
    QString Where;         // the register's display form (no password)
    QString Error;         // why it was not recorded, or why the shared register was not reached

    // A line for the log and the result line; empty when all went as usual.
    QString Message() const;
};

// The tracker register of one thread (Qt's database connections belong to
// the thread that opened them: velmora-cli's port threads each make their
// own). An SQLite register records into its file. A shared PostgreSQL
// register records there and, while it cannot be reached, keeps the events
// in the local SQLite file marked unsent; the first time it is reached again
// they are sent first, oldest first, each in a transaction of its own (a
// resend of an event the server has already is harmless).
class TRegister {
public:
    // localFile keeps events for a shared register while it is unreachable;
    // an SQLite register ignores it.
    TRegister(const TRegisterLocation& location, const QString& localFile);
    TRegister(const TRegister&) = delete;
    TRegister& operator=(const TRegister&) = delete;

    const TRegisterLocation& Location() const { return FLocation; }

    // Fills an empty id, time (now, UTC), bench and operator, records the
    // event and sets its number. An event without a unit is recorded under
    // its port, unidentified.
    TRecordOutcome Record(TRegisterEvent& event);
    // Sends the events kept on this computer, trying the shared register even
    // within the pause after a failed attempt.
    TRecordOutcome SendPending();

    // The register's own database for queries, opened (and created or
    // migrated) on first use; nullptr with Error() when it cannot be.
    TRegisterStore* Store();
    QString Error() const { return FError; }

private:
    void Complete(TRegisterEvent& event) const;
    bool ReachShared(bool force, QString& error);
    bool OpenLocal(QString& error);
    bool SendKept(TRecordOutcome& outcome, QString& error);
    void Keep(TRegisterEvent& event, const QString& why, TRecordOutcome& outcome);

    TRegisterLocation FLocation;
    QString FLocalFile;
    TRegisterStore FMain;
    TRegisterStore FLocal; // the outbox of a shared register
    TWorkplace FWorkplace;
    QDeadlineTimer FRetryAt{0}; // no new attempt on the shared register before this
    QString FSharedError;       // why the last attempt failed
    bool FCheckKept = true;     // kept events may wait in the local register
    QString FError;
};
