#include "RegisterSchema.h"

#include "base/Translate.h"

#include <QSqlQuery>
#include <QStringList>

namespace {

// Any fixed number: the PostgreSQL lock that makes schema building one at a time.
constexpr qint64 kSchemaLockKey = 0x56656c6d6f7261;

// Version 1: events with their changes and the snapshots they refer to
// (one copy of each distinct configuration, found by its SHA-256).
const char* const kStep1[] = {
    "CREATE TABLE register_version (version INTEGER NOT NULL)",
    "CREATE TABLE snapshots (hash TEXT PRIMARY KEY, size INTEGER NOT NULL, data %BLOB% NOT NULL)",
    "CREATE TABLE events ("
    " number %SERIAL%,"
    " uuid TEXT NOT NULL UNIQUE,"
    " time_ms BIGINT NOT NULL,"
    " unit TEXT NOT NULL,"
    " identified INTEGER NOT NULL,"
    " model TEXT NOT NULL,"
    " unit_id TEXT NOT NULL,"
    " firmware TEXT NOT NULL,"
    " bench TEXT NOT NULL,"
    " operator TEXT NOT NULL,"
    " port TEXT NOT NULL,"
    " action TEXT NOT NULL,"
    " result TEXT NOT NULL,"
    " detail TEXT NOT NULL,"
    " before_hash TEXT,"
    " after_hash TEXT,"
    " changes INTEGER NOT NULL,"
    " unsent INTEGER NOT NULL DEFAULT 0)",
    "CREATE INDEX events_unit ON events (unit, number)",
    "CREATE INDEX events_time ON events (time_ms)",
    "CREATE INDEX events_unsent ON events (number) WHERE unsent = 1",
    "CREATE TABLE changes ("
    " event BIGINT NOT NULL REFERENCES events (number) ON DELETE CASCADE,"
    " seq INTEGER NOT NULL,"
    " command TEXT NOT NULL,"
    " row_index INTEGER NOT NULL,"
    " param_index INTEGER NOT NULL,"
    " parameter TEXT NOT NULL,"
    " old_value TEXT NOT NULL,"
    " new_value TEXT NOT NULL,"
    " PRIMARY KEY (event, seq))",
};

// Version 2: one row per unit, kept by every event, so listing a workshop's
// units does not walk its events. Filled from the events already there.
const char* const kStep2[] = {
    "CREATE TABLE units ("
    " unit TEXT PRIMARY KEY,"
    " identified INTEGER NOT NULL,"
    " model TEXT NOT NULL,"
    " unit_id TEXT NOT NULL,"
    " firmware TEXT NOT NULL,"
    " first_ms BIGINT NOT NULL,"
    " last_ms BIGINT NOT NULL,"
    " last_event BIGINT NOT NULL,"
    " last_action TEXT NOT NULL,"
    " last_result TEXT NOT NULL,"
    " events BIGINT NOT NULL)",
    "INSERT INTO units (unit, identified, model, unit_id, firmware, first_ms, last_ms, last_event,"
    " last_action, last_result, events)"
    " SELECT unit, identified, model, unit_id, firmware, first_ms, time_ms, number, action, "
    "result, n"
    " FROM (SELECT e.*, MIN(time_ms) OVER (PARTITION BY unit) AS first_ms,"
    "  COUNT(*) OVER (PARTITION BY unit) AS n,"
    "  ROW_NUMBER() OVER (PARTITION BY unit ORDER BY time_ms DESC, number DESC) AS latest"
    "  FROM events e) t WHERE latest = 1",
    "CREATE INDEX units_last ON units (last_ms DESC, unit DESC)",
};

struct TStep {
    const char* const* Statements;
    int Count;
};
const TStep kSteps[] = {{kStep1, int(std::size(kStep1))}, {kStep2, int(std::size(kStep2))}};
static_assert(std::size(kSteps) == kRegisterSchemaVersion, "one step per schema version");

constexpr TTrContext Tr("TRegister");

QString Dialected(const char* statement, TSqlDialect dialect) {
    QString sql = QString::fromLatin1(statement);
    const bool lite = dialect == sdSqlite;
    sql.replace(QLatin1String("%SERIAL%"), lite ? QLatin1String("INTEGER PRIMARY KEY AUTOINCREMENT")
                                                : QLatin1String("BIGSERIAL PRIMARY KEY"));
    sql.replace(QLatin1String("%BLOB%"), lite ? QLatin1String("BLOB") : QLatin1String("BYTEA"));
    return sql;
}

QString TooNew(int version) {
    return Tr("Журнал трекеров ведёт более новая версия программы (схема %1, эта программа "
              "знает %2): обновите программу")
        .arg(version)
        .arg(kRegisterSchemaVersion);
}

} // namespace

int RegisterSchemaVersion(QSqlDatabase& db, TSqlDialect dialect, QString& error) {
    QSqlQuery query(db);
    const QString exists =
        dialect == sdSqlite
            ? QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND "
                             "name = 'register_version'")
            : QStringLiteral("SELECT COUNT(*) FROM information_schema.tables WHERE "
                             "table_schema = current_schema() AND table_name = 'register_version'");
    if (!query.exec(exists) || !query.next()) {
        error = SqlErrorText(query);
        return -1;
    }
    if (query.value(0).toInt() == 0)
        return 0;
    if (!query.exec(QStringLiteral("SELECT MAX(version) FROM register_version")) || !query.next()) {
        error = SqlErrorText(query);
        return -1;
    }
    return query.value(0).toInt();
}

bool PrepareRegisterSchema(QSqlDatabase& db, TSqlDialect dialect, QString& error) {
    int version = RegisterSchemaVersion(db, dialect, error);
    if (version == kRegisterSchemaVersion)
        return true;
    if (version > kRegisterSchemaVersion) {
        error = TooNew(version);
        return false;
    }
    if (version < 0)
        return false;
    TSqlTransaction transaction(db, dialect);
    if (!transaction.Begin(error))
        return false;
    if (dialect == sdPostgres &&
        !ExecSql(db, QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kSchemaLockKey), error))
        return false;
    // Another bench may have built it while this one waited for the lock.
    version = RegisterSchemaVersion(db, dialect, error);
    if (version < 0)
        return false;
    if (version > kRegisterSchemaVersion) {
        error = TooNew(version);
        return false;
    }
    if (version == kRegisterSchemaVersion)
        return transaction.Commit(error);
    for (int step = version; step < kRegisterSchemaVersion; ++step)
        for (int i = 0; i < kSteps[step].Count; ++i)
            if (!ExecSql(db, Dialected(kSteps[step].Statements[i], dialect), error)) {
                error = Tr("Не удалось перевести журнал трекеров на схему %1: %2")
                            .arg(step + 1)
                            .arg(error);
                return false;
            }
    if (!ExecSql(db, QStringLiteral("DELETE FROM register_version"), error) ||
        !ExecSql(db,
                 QStringLiteral("INSERT INTO register_version (version) VALUES (%1)")
                     .arg(kRegisterSchemaVersion),
                 error))
        return false;
    return transaction.Commit(error);
}
