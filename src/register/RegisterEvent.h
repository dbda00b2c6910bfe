#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

// What a front end did to a tracker.
enum TRegisterAction { raRead, raBackup, raWrite, raStore, raRestore };

// The words stored and printed: read, backup, write, store, restore.
QString ActionWord(TRegisterAction action);
bool ActionFromWord(const QString& word, TRegisterAction& action);

// One value an event changed on the tracker (wire texts).
struct TRegisterChange {
    QString Command; // "+SGDT"
    int Row = 0;
    int Param = 0;
    QString Parameter; // the parameter's description
    QString OldValue;
    QString NewValue;

    bool operator==(const TRegisterChange& o) const {
        return Command == o.Command && Row == o.Row && Param == o.Param &&
               Parameter == o.Parameter && OldValue == o.OldValue && NewValue == o.NewValue;
    }
};

// A recorded event. The caller fills the unit, what was done and the
// snapshots; the register fills the id, the time and the workplace when
// they are empty, and the number when it stores the event.
struct TRegisterEvent {
    qint64 Number = 0; // the database's running number: "event N"
    QString Uuid;      // unique across benches: what makes a resend harmless
    QDateTime Time;    // UTC

    QString Unit;           // the IMEI, or the port adapter's serial when unidentified
    bool Identified = true; // Unit is an IMEI the tracker reported
    QString Model;
    QString UnitId;
    QString Firmware;

    QString Bench;
    QString Operator;
    QString Port;

    TRegisterAction Action = raRead;
    QString Result; // the command-line tool's words: ok, partial, differs, not stored, failed,
                    // interrupted
    QString Detail;

    // The configuration as the tracker held it, as .zxml file bytes; empty
    // when not taken. Queries that list events leave them empty and say
    // whether they exist.
    QByteArray Before;
    QByteArray After;
    bool HasBefore = false;
    bool HasAfter = false;

    QVector<TRegisterChange> Changes;
    int ChangeCount = 0; // filled by queries, also when Changes is left empty

    bool Unsent = false; // kept in the local register for the shared one
};

// A tracker as the register knows it, from its latest event.
struct TRegisterUnit {
    QString Unit;
    bool Identified = true;
    QString Model;
    QString UnitId;
    QString Firmware;
    QDateTime FirstSeen;
    QDateTime LastSeen;
    qint64 LastEvent = 0;
    TRegisterAction LastAction = raRead;
    QString LastResult;
    qint64 Events = 0;
};
