#include "RegisterStore.h"

#include "RegisterSchema.h"
#include "base/Translate.h"

#include <QAtomicInteger>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QStringList>

namespace {

constexpr TTrContext Tr("TRegister");
// Several port threads and benches write one SQLite file: a writer waits
// this long for the others before giving up.
constexpr int kSqliteBusyTimeoutMs = 15000;
// Page cache of one SQLite connection, in KiB: the indexes of a workshop's
// register (a million events) stay in memory while it grows or is browsed.
constexpr int kSqliteCacheKiB = 65536;
// A dead or unreachable server must not hold up a batch: the connection
// attempt, and a connection whose peer stopped answering, give up in seconds
// (libpq's options; tcp_user_timeout in milliseconds).
const char* const kServerTimeoutOptions[] = {
    "connect_timeout=3",  "keepalives_idle=5",      "keepalives_interval=2",
    "keepalives_count=3", "tcp_user_timeout=10000",
};

QAtomicInteger<quint64> gConnections;

const char kEventColumns[] =
    "number, uuid, time_ms, unit, identified, model, unit_id, firmware, bench, operator, port, "
    "action, result, detail, before_hash IS NOT NULL, after_hash IS NOT NULL, changes, unsent";

qint64 ToMs(const QDateTime& time) {
    return time.toMSecsSinceEpoch();
}

QDateTime FromMs(qint64 ms) {
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
}

QString SnapshotHash(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return QString(); // bound as NULL
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

void Assign(const QVariant& v, QString& field) {
    field = v.toString();
}
void Assign(const QVariant& v, int& field) {
    field = v.toInt();
}
void Assign(const QVariant& v, qint64& field) {
    field = v.toLongLong();
}
void Assign(const QVariant& v, bool& field) {
    field = v.toBool();
}

// The columns of the current row, in the order the SELECT lists them.
template <typename... Fields> void ReadColumns(const QSqlQuery& q, Fields&... fields) {
    int column = 0;
    (Assign(q.value(column++), fields), ...);
}

TRegisterEvent EventFromRow(const QSqlQuery& q) {
    TRegisterEvent e;
    qint64 timeMs = 0;
    QString action;
    ReadColumns(q, e.Number, e.Uuid, timeMs, e.Unit, e.Identified, e.Model, e.UnitId, e.Firmware,
                e.Bench, e.Operator, e.Port, action, e.Result, e.Detail, e.HasBefore, e.HasAfter,
                e.ChangeCount, e.Unsent);
    e.Time = FromMs(timeMs);
    ActionFromWord(action, e.Action);
    return e;
}

QString LikePattern(const QString& filter) {
    QString escaped = filter.toLower();
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('%'), QStringLiteral("\\%"));
    escaped.replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

QString LimitClause(int limit) {
    return limit > 0 ? QStringLiteral(" LIMIT %1").arg(limit) : QString();
}

// The statements of one insertion, prepared once per transaction.
class TInserter {
public:
    explicit TInserter(QSqlDatabase& db)
        : FEvent(db), FKnown(db), FSnapshot(db), FChange(db), FUnit(db) {}

    bool Prepare(QString& error) {
        const bool ok =
            FEvent.prepare(QStringLiteral(
                "INSERT INTO events (uuid, time_ms, unit, identified, model, unit_id, firmware, "
                "bench, operator, port, action, result, detail, before_hash, after_hash, changes, "
                "unsent) VALUES (:uuid, :time_ms, :unit, :identified, :model, :unit_id, "
                ":firmware, :bench, :operator, :port, :action, :result, :detail, :before_hash, "
                ":after_hash, :changes, :unsent) ON CONFLICT (uuid) DO NOTHING RETURNING "
                "number")) &&
            FKnown.prepare(QStringLiteral("SELECT number FROM events WHERE uuid = :uuid")) &&
            FSnapshot.prepare(
                QStringLiteral("INSERT INTO snapshots (hash, size, data) VALUES (:hash, :size, "
                               ":data) ON CONFLICT (hash) DO NOTHING")) &&
            FChange.prepare(QStringLiteral(
                "INSERT INTO changes (event, seq, command, row_index, param_index, parameter, "
                "old_value, new_value) VALUES (:event, :seq, :command, :row_index, :param_index, "
                ":parameter, :old_value, :new_value)")) &&
            // The unit shows its latest event by time: an event sent late from
            // a bench's outbox may be older than what the unit shows.
            FUnit.prepare(QStringLiteral(
                "INSERT INTO units (unit, identified, model, unit_id, firmware, first_ms, "
                "last_ms, last_event, last_action, last_result, events) VALUES (:unit, "
                ":identified, :model, :unit_id, :firmware, :first_ms, :last_ms, :last_event, "
                ":last_action, :last_result, 1) ON CONFLICT (unit) DO UPDATE SET "
                "events = units.events + 1, "
                "first_ms = CASE WHEN excluded.first_ms < units.first_ms THEN excluded.first_ms "
                "ELSE units.first_ms END, "
                "identified = CASE WHEN excluded.last_ms >= units.last_ms THEN "
                "excluded.identified ELSE units.identified END, "
                "model = CASE WHEN excluded.last_ms >= units.last_ms THEN excluded.model ELSE "
                "units.model END, "
                "unit_id = CASE WHEN excluded.last_ms >= units.last_ms THEN excluded.unit_id ELSE "
                "units.unit_id END, "
                "firmware = CASE WHEN excluded.last_ms >= units.last_ms THEN excluded.firmware "
                "ELSE units.firmware END, "
                "last_event = CASE WHEN excluded.last_ms >= units.last_ms THEN "
                "excluded.last_event ELSE units.last_event END, "
                "last_action = CASE WHEN excluded.last_ms >= units.last_ms THEN "
                "excluded.last_action ELSE units.last_action END, "
                "last_result = CASE WHEN excluded.last_ms >= units.last_ms THEN "
                "excluded.last_result ELSE units.last_result END, "
                "last_ms = CASE WHEN excluded.last_ms >= units.last_ms THEN excluded.last_ms "
                "ELSE units.last_ms END"));
        if (!ok)
            for (const QSqlQuery* q : {&FEvent, &FKnown, &FSnapshot, &FChange, &FUnit})
                if (!SqlErrorText(*q).isEmpty()) {
                    error = SqlErrorText(*q);
                    break;
                }
        return ok;
    }

    bool Insert(TRegisterEvent& e, bool unsent, bool& known, QString& error) {
        const QString beforeHash = SnapshotHash(e.Before);
        const QString afterHash = SnapshotHash(e.After);
        const qint64 ms = ToMs(e.Time);
        FEvent.bindValue(QStringLiteral(":uuid"), SqlText(e.Uuid));
        FEvent.bindValue(QStringLiteral(":time_ms"), ms);
        BindUnit(FEvent, e);
        FEvent.bindValue(QStringLiteral(":bench"), SqlText(e.Bench));
        FEvent.bindValue(QStringLiteral(":operator"), SqlText(e.Operator));
        FEvent.bindValue(QStringLiteral(":port"), SqlText(e.Port));
        FEvent.bindValue(QStringLiteral(":action"), ActionWord(e.Action));
        FEvent.bindValue(QStringLiteral(":result"), SqlText(e.Result));
        FEvent.bindValue(QStringLiteral(":detail"), SqlText(e.Detail));
        FEvent.bindValue(QStringLiteral(":before_hash"), beforeHash);
        FEvent.bindValue(QStringLiteral(":after_hash"), afterHash);
        FEvent.bindValue(QStringLiteral(":changes"), int(e.Changes.size()));
        FEvent.bindValue(QStringLiteral(":unsent"), int(unsent));
        if (!ExecSql(FEvent, error))
            return false;
        known = !FEvent.next();
        if (known) {
            FEvent.finish();
            FKnown.bindValue(QStringLiteral(":uuid"), SqlText(e.Uuid));
            if (!ExecSql(FKnown, error))
                return false;
            if (FKnown.next())
                e.Number = FKnown.value(0).toLongLong();
            FKnown.finish();
            return true;
        }
        e.Number = FEvent.value(0).toLongLong();
        FEvent.finish();
        e.HasBefore = !e.Before.isEmpty();
        e.HasAfter = !e.After.isEmpty();
        e.ChangeCount = int(e.Changes.size());
        e.Unsent = unsent;
        for (const auto& [hash, bytes] :
             {std::pair(beforeHash, &e.Before), {afterHash, &e.After}}) {
            if (hash.isEmpty())
                continue;
            FSnapshot.bindValue(QStringLiteral(":hash"), hash);
            FSnapshot.bindValue(QStringLiteral(":size"), qint64(bytes->size()));
            FSnapshot.bindValue(QStringLiteral(":data"), *bytes);
            if (!ExecSql(FSnapshot, error))
                return false;
        }
        for (int i = 0; i < e.Changes.size(); ++i) {
            const TRegisterChange& c = e.Changes[i];
            FChange.bindValue(QStringLiteral(":event"), e.Number);
            FChange.bindValue(QStringLiteral(":seq"), i);
            FChange.bindValue(QStringLiteral(":command"), SqlText(c.Command));
            FChange.bindValue(QStringLiteral(":row_index"), c.Row);
            FChange.bindValue(QStringLiteral(":param_index"), c.Param);
            FChange.bindValue(QStringLiteral(":parameter"), SqlText(c.Parameter));
            FChange.bindValue(QStringLiteral(":old_value"), SqlText(c.OldValue));
            FChange.bindValue(QStringLiteral(":new_value"), SqlText(c.NewValue));
            if (!ExecSql(FChange, error))
                return false;
        }
        BindUnit(FUnit, e);
        FUnit.bindValue(QStringLiteral(":first_ms"), ms);
        FUnit.bindValue(QStringLiteral(":last_ms"), ms);
        FUnit.bindValue(QStringLiteral(":last_event"), e.Number);
        FUnit.bindValue(QStringLiteral(":last_action"), ActionWord(e.Action));
        FUnit.bindValue(QStringLiteral(":last_result"), SqlText(e.Result));
        return ExecSql(FUnit, error);
    }

private:
    // What an event and its unit's row both hold.
    static void BindUnit(QSqlQuery& q, const TRegisterEvent& e) {
        q.bindValue(QStringLiteral(":unit"), SqlText(e.Unit));
        q.bindValue(QStringLiteral(":identified"), int(e.Identified));
        q.bindValue(QStringLiteral(":model"), SqlText(e.Model));
        q.bindValue(QStringLiteral(":unit_id"), SqlText(e.UnitId));
        q.bindValue(QStringLiteral(":firmware"), SqlText(e.Firmware));
    }

    QSqlQuery FEvent;
    QSqlQuery FKnown;
    QSqlQuery FSnapshot;
    QSqlQuery FChange;
    QSqlQuery FUnit;
};

} // namespace

TRegisterStore::TRegisterStore()
    : FConnection(QStringLiteral("velmora-register-%1").arg(++gConnections)) {}

TRegisterStore::~TRegisterStore() {
    Close();
}

bool TRegisterStore::Fail(const QString& error) {
    FError = error;
    // A failed statement may mean the server went away: start afresh next time.
    if (FDialect == sdPostgres)
        FBroken = true;
    return false;
}

bool TRegisterStore::IsOpen() const {
    return FDb.isValid() && FDb.isOpen() && !FBroken;
}

void TRegisterStore::Close() {
    if (!FDb.isValid())
        return;
    FDb.close();
    FDb = QSqlDatabase();
    QSqlDatabase::removeDatabase(FConnection);
    FBroken = false;
}

bool TRegisterStore::Open(const TRegisterLocation& location) {
    Close();
    FLocation = location;
    FDialect = location.Shared() ? sdPostgres : sdSqlite;
    FError.clear();
    const bool opened = FDialect == sdSqlite ? OpenSqlite() : OpenPostgres();
    QString error;
    if (opened && PrepareRegisterSchema(FDb, FDialect, error))
        return true;
    if (opened)
        FError = error;
    Close();
    return false;
}

bool TRegisterStore::OpenSqlite() {
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        FError = Tr("Нет драйвера SQLite для Qt (пакет libqt6sql6-sqlite)");
        return false;
    }
    const QFileInfo file(FLocation.FilePath);
    if (!QDir().mkpath(file.absolutePath())) {
        FError = Tr("Не удалось создать папку журнала трекеров %1")
                     .arg(QDir::toNativeSeparators(file.absolutePath()));
        return false;
    }
    FDb = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FConnection);
    FDb.setDatabaseName(file.absoluteFilePath());
    FDb.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kSqliteBusyTimeoutMs));
    QString error;
    if (!FDb.open())
        error = SqlErrorText(FDb);
    else {
        // WAL lets readers (the window) go on while a port thread writes;
        // FULL syncs every commit, so a recorded event survives a power cut.
        QSqlQuery wal(FDb);
        if (!wal.exec(QStringLiteral("PRAGMA journal_mode = WAL")))
            error = SqlErrorText(wal);
        else if (ExecSql(FDb, QStringLiteral("PRAGMA synchronous = FULL"), error) &&
                 ExecSql(FDb, QStringLiteral("PRAGMA foreign_keys = ON"), error) &&
                 ExecSql(FDb, QStringLiteral("PRAGMA cache_size = -%1").arg(kSqliteCacheKiB),
                         error))
            return true;
    }
    FError = Tr("Не удалось открыть журнал трекеров %1: %2").arg(FLocation.Display(), error);
    return false;
}

bool TRegisterStore::OpenPostgres() {
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        FError = Tr("Нет драйвера PostgreSQL для Qt (пакет libqt6sql6-psql)");
        return false;
    }
    FDb = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), FConnection);
    FDb.setHostName(FLocation.Host);
    FDb.setPort(FLocation.Port);
    FDb.setDatabaseName(FLocation.DatabaseName);
    FDb.setUserName(FLocation.User);
    // Left unset without one, so libpq looks in PGPASSWORD and ~/.pgpass.
    if (!FLocation.Password.isEmpty())
        FDb.setPassword(FLocation.Password);
    QStringList options;
    for (const char* option : kServerTimeoutOptions)
        options << QLatin1String(option);
    options << QStringLiteral("application_name=velmora");
    options << FLocation.Options; // the URL's own come last and win
    FDb.setConnectOptions(options.join(QLatin1Char(';')));
    QString error;
    // Notices (a table already there, ...) would only litter the tool's output.
    if (FDb.open() && ExecSql(FDb, QStringLiteral("SET client_min_messages TO warning"), error))
        return true;
    FError = Tr("Не удалось подключиться к журналу трекеров %1: %2")
                 .arg(FLocation.Display(), error.isEmpty() ? SqlErrorText(FDb) : error);
    return false;
}

bool TRegisterStore::Insert(TRegisterEvent& event, bool unsent, bool* known) {
    QString error;
    TSqlTransaction transaction(FDb, FDialect);
    TInserter inserter(FDb);
    bool wasKnown = false;
    if (!transaction.Begin(error) || !inserter.Prepare(error) ||
        !inserter.Insert(event, unsent, wasKnown, error) || !transaction.Commit(error))
        return Fail(error);
    if (known)
        *known = wasKnown;
    return true;
}

bool TRegisterStore::InsertAll(QVector<TRegisterEvent>& events) {
    QString error;
    TSqlTransaction transaction(FDb, FDialect);
    TInserter inserter(FDb);
    if (!transaction.Begin(error) || !inserter.Prepare(error))
        return Fail(error);
    for (TRegisterEvent& event : events) {
        bool known = false;
        if (!inserter.Insert(event, false, known, error))
            return Fail(error);
    }
    return transaction.Commit(error) || Fail(error);
}

bool TRegisterStore::Units(const TUnitQuery& query, QVector<TRegisterUnit>& units) {
    units.clear();
    QString sql = QStringLiteral(
        "SELECT unit, identified, model, unit_id, firmware, first_ms, last_ms, last_event, "
        "last_action, last_result, events FROM units");
    QStringList where;
    if (!query.Filter.isEmpty())
        where << QStringLiteral(
            "(lower(unit) LIKE :p1 ESCAPE '\\' OR lower(model) LIKE :p2 ESCAPE '\\' OR "
            "lower(firmware) LIKE :p3 ESCAPE '\\')");
    if (query.After)
        where << QStringLiteral("(last_ms, unit) < (:after_ms, :after_unit)");
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY last_ms DESC, unit DESC") + LimitClause(query.Limit);
    QVariantMap values;
    if (!query.Filter.isEmpty())
        for (const char* name : {":p1", ":p2", ":p3"})
            values.insert(QLatin1String(name), LikePattern(query.Filter));
    if (query.After) {
        values.insert(QStringLiteral(":after_ms"), ToMs(query.AfterLastSeen));
        values.insert(QStringLiteral(":after_unit"), SqlText(query.AfterUnit));
    }
    QSqlQuery q(FDb);
    if (!Run(q, sql, values))
        return false;
    while (q.next()) {
        TRegisterUnit u;
        u.Unit = q.value(0).toString();
        u.Identified = q.value(1).toInt() != 0;
        u.Model = q.value(2).toString();
        u.UnitId = q.value(3).toString();
        u.Firmware = q.value(4).toString();
        u.FirstSeen = FromMs(q.value(5).toLongLong());
        u.LastSeen = FromMs(q.value(6).toLongLong());
        u.LastEvent = q.value(7).toLongLong();
        ActionFromWord(q.value(8).toString(), u.LastAction);
        u.LastResult = q.value(9).toString();
        u.Events = q.value(10).toLongLong();
        units << u;
    }
    return true;
}

bool TRegisterStore::History(const THistoryQuery& query, QVector<TRegisterEvent>& events) {
    events.clear();
    QString sql = QStringLiteral("SELECT %1 FROM events").arg(QLatin1String(kEventColumns));
    QStringList where;
    if (!query.Unit.isEmpty())
        where << QStringLiteral("unit = :unit");
    if (query.Since.isValid())
        where << QStringLiteral("time_ms >= :since");
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += query.NewestFirst ? QStringLiteral(" ORDER BY time_ms DESC, number DESC")
                             : QStringLiteral(" ORDER BY time_ms, number");
    sql += LimitClause(query.Limit);
    QVariantMap values;
    if (!query.Unit.isEmpty())
        values.insert(QStringLiteral(":unit"), query.Unit);
    if (query.Since.isValid())
        values.insert(QStringLiteral(":since"), ToMs(query.Since));
    QSqlQuery q(FDb);
    if (!Run(q, sql, values))
        return false;
    while (q.next())
        events << EventFromRow(q);
    if (query.WithChanges)
        for (TRegisterEvent& e : events)
            if (e.ChangeCount > 0 && !Changes(e.Number, e.Changes))
                return false;
    return true;
}

bool TRegisterStore::Run(QSqlQuery& q, const QString& sql, const QVariantMap& values) {
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        return Fail(SqlErrorText(q));
    for (auto it = values.begin(); it != values.end(); ++it)
        q.bindValue(it.key(), it.value());
    QString error;
    return ExecSql(q, error) || Fail(error);
}

bool TRegisterStore::Event(qint64 number, TRegisterEvent& event, bool withSnapshots) {
    QSqlQuery q(FDb);
    if (!Run(q,
             QStringLiteral("SELECT %1 FROM events WHERE number = :n")
                 .arg(QLatin1String(kEventColumns)),
             {{QStringLiteral(":n"), number}}))
        return false;
    if (!q.next()) {
        FError = Tr("В журнале трекеров нет события %1").arg(number);
        return false;
    }
    event = EventFromRow(q);
    q.finish();
    if (!Changes(number, event.Changes))
        return false;
    if (withSnapshots &&
        (!Snapshot(number, false, event.Before) || !Snapshot(number, true, event.After)))
        return false;
    return true;
}

bool TRegisterStore::Changes(qint64 number, QVector<TRegisterChange>& changes) {
    changes.clear();
    QSqlQuery q(FDb);
    if (!Run(q,
             QStringLiteral("SELECT command, row_index, param_index, parameter, old_value, "
                            "new_value FROM changes WHERE event = :n ORDER BY seq"),
             {{QStringLiteral(":n"), number}}))
        return false;
    while (q.next()) {
        TRegisterChange c;
        ReadColumns(q, c.Command, c.Row, c.Param, c.Parameter, c.OldValue, c.NewValue);
        changes << c;
    }
    return true;
}

bool TRegisterStore::Snapshot(qint64 number, bool after, QByteArray& bytes) {
    bytes.clear();
    QSqlQuery q(FDb);
    if (!Run(q,
             QStringLiteral("SELECT e.number, s.data FROM events e LEFT JOIN snapshots s ON "
                            "s.hash = e.%1 WHERE e.number = :n")
                 .arg(after ? QLatin1String("after_hash") : QLatin1String("before_hash")),
             {{QStringLiteral(":n"), number}}))
        return false;
    if (!q.next()) {
        FError = Tr("В журнале трекеров нет события %1").arg(number);
        return false;
    }
    bytes = q.value(1).toByteArray();
    return true;
}

bool TRegisterStore::LastWrite(const QString& unit, qint64& number) {
    number = 0;
    QSqlQuery q(FDb);
    if (!Run(q,
             QStringLiteral("SELECT number FROM events WHERE unit = :unit AND action = :action AND "
                            "before_hash IS NOT NULL ORDER BY time_ms DESC, number DESC LIMIT 1"),
             {{QStringLiteral(":unit"), SqlText(unit)},
              {QStringLiteral(":action"), ActionWord(raWrite)}}))
        return false;
    if (q.next())
        number = q.value(0).toLongLong();
    return true;
}

bool TRegisterStore::Unsent(int limit, QVector<qint64>& numbers) {
    numbers.clear();
    QSqlQuery q(FDb);
    if (!Run(q,
             QStringLiteral("SELECT number FROM events WHERE unsent = 1 ORDER BY number") +
                 LimitClause(limit),
             {}))
        return false;
    while (q.next())
        numbers << q.value(0).toLongLong();
    return true;
}

bool TRegisterStore::UnsentCount(int& count) {
    QSqlQuery q(FDb);
    if (!Run(q, QStringLiteral("SELECT COUNT(*) FROM events WHERE unsent = 1"), {}))
        return false;
    count = q.next() ? q.value(0).toInt() : 0;
    return true;
}

bool TRegisterStore::MarkSent(qint64 number) {
    QSqlQuery q(FDb);
    return Run(q, QStringLiteral("UPDATE events SET unsent = 0 WHERE number = :n"),
               {{QStringLiteral(":n"), number}});
}
