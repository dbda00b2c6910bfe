#pragma once

#include "RegisterEvent.h"
#include "RegisterLocation.h"
#include "RegisterSql.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariantMap>
#include <QVector>

class QSqlQuery;

// Which units to list: a filter on IMEI, model and firmware, newest first,
// one page after the last unit of the previous page.
struct TUnitQuery {
    QString Filter; // contained in the IMEI, model or firmware; case ignored
    int Limit = 0;  // 0: all
    bool After = false;
    QDateTime AfterLastSeen; // the previous page's last unit
    QString AfterUnit;
};

// Which events to list: a unit's, since a time, in time order.
struct THistoryQuery {
    QString Unit;    // empty: every unit
    QDateTime Since; // invalid: from the start
    bool NewestFirst = false;
    bool WithChanges = false;
    int Limit = 0; // 0: all
};

// One connection to a register database (an SQLite file or a PostgreSQL
// database), used by the thread that opened it. Opening creates or migrates
// the schema. After a failed statement on PostgreSQL the connection is
// closed, so the next use starts a fresh one: a server that went away is
// then found at once.
class TRegisterStore {
public:
    TRegisterStore();
    ~TRegisterStore();
    TRegisterStore(const TRegisterStore&) = delete;
    TRegisterStore& operator=(const TRegisterStore&) = delete;

    bool Open(const TRegisterLocation& location);
    void Close();
    bool IsOpen() const;
    const TRegisterLocation& Location() const { return FLocation; }
    TSqlDialect Dialect() const { return FDialect; }
    // Why the last call failed (never holds a password).
    QString Error() const { return FError; }

    // Stores the event with its snapshots, changes and unit in one
    // transaction and sets its number. An event whose id is stored already
    // changes nothing (known is set, Number is the stored one).
    bool Insert(TRegisterEvent& event, bool unsent, bool* known = nullptr);
    // Many events in one transaction: all or none.
    bool InsertAll(QVector<TRegisterEvent>& events);

    bool Units(const TUnitQuery& query, QVector<TRegisterUnit>& units);
    bool History(const THistoryQuery& query, QVector<TRegisterEvent>& events);
    // One event with its changes, and its snapshots when asked.
    bool Event(qint64 number, TRegisterEvent& event, bool withSnapshots);
    bool Changes(qint64 number, QVector<TRegisterChange>& changes);
    // A snapshot's bytes; empty when the event has none.
    bool Snapshot(qint64 number, bool after, QByteArray& bytes);
    // The unit's latest write that holds a "before" snapshot; 0 when none.
    bool LastWrite(const QString& unit, qint64& number);

    // The outbox: events kept for the shared register, oldest first.
    bool Unsent(int limit, QVector<qint64>& numbers);
    bool UnsentCount(int& count);
    bool MarkSent(qint64 number);

private:
    bool Fail(const QString& error);
    // Prepares, binds and runs a statement; false (the error kept) when any step fails.
    bool Run(QSqlQuery& query, const QString& sql, const QVariantMap& values);
    bool OpenSqlite();
    bool OpenPostgres();

    TRegisterLocation FLocation;
    TSqlDialect FDialect = sdSqlite;
    QString FConnection;
    QSqlDatabase FDb;
    QString FError;
    bool FBroken = false; // a PostgreSQL statement failed: reconnect before the next
};
