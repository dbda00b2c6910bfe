// The tracker register at workshop scale: 100,000 units and 1,000,000 events
// in an SQLite file, then the time of a unit's history (what
// "velmora-cli history --unit" asks) and the time recording one write event
// adds to a write. With VELMORA_TEST_PG_URL (scripts/pg-test-server.sh) the
// same register is built on PostgreSQL and its history query timed too.
// The recorder's whole share of a write is timed on the shipped profile:
// the snapshots before and after, the changed values, backup and write.

#include "config/ParamValueTable.h"
#include "link/DeviceLink.h"
#include "ops/TrackerWrite.h"
#include "profile/ProfileLoader.h"
#include "register/Register.h"
#include "register/RegisterSchema.h"
#include "register/TrackerRecorder.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kUnits = 100000;
constexpr int kEventsPerUnit = 10;
constexpr int kChunk = 20000;          // events per transaction while building
constexpr int kDistinctSnapshots = 64; // a workshop writes a few configurations to many units
constexpr int kHistoryRuns = 21;
constexpr int kRecordRuns = 200;
constexpr int kCommands = 60; // of a realistic configuration
constexpr int kParams = 8;
constexpr qint64 kYearMs = 365LL * 24 * 3600 * 1000;

double Ms(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

double Median(QVector<double> v) {
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

QString Imei(int unit) {
    return QStringLiteral("86%1").arg(unit, 13, 10, QLatin1Char('0'));
}

// A configuration file's bytes: a zlib stream of a few KB of XML.
QByteArray Snapshot(QRandomGenerator& random) {
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Velmora>\r\n"
                     " <ExportCommandParamenters>\r\n";
    for (int c = 0; c < kCommands; ++c) {
        xml += "  <command name=\"+C" + QByteArray::number(c) + "\">\r\n   <index index=\"0\">\r\n";
        for (int p = 0; p < kParams; ++p)
            xml += "    <parameter index=\"" + QByteArray::number(p) + "\">" +
                   QByteArray::number(random.bounded(100000)) + "</parameter>\r\n";
        xml += "   </index>\r\n  </command>\r\n";
    }
    xml += " </ExportCommandParamenters>\r\n</Velmora>\r\n";
    return qCompress(xml, 9).mid(4); // qCompress puts the length before the stream
}

TRegisterEvent Event(int unit, int n, qint64 startMs, const QVector<QByteArray>& snapshots) {
    TRegisterEvent e;
    e.Uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    e.Time = QDateTime::fromMSecsSinceEpoch(startMs + (qint64(n) * kYearMs) / kEventsPerUnit + unit,
                                            Qt::UTC);
    e.Unit = Imei(unit);
    e.Model = QStringLiteral("VT-%1").arg(300 + unit % 7);
    e.UnitId = QString::number(unit);
    e.Firmware = QStringLiteral("3.1.%1").arg(unit % 5);
    e.Bench = QStringLiteral("bench-%1").arg(unit % 8);
    e.Operator = QStringLiteral("operator%1").arg(unit % 12);
    e.Port = QStringLiteral("/dev/ttyUSB%1").arg(unit % 8);
    e.Result = QStringLiteral("ok");
    switch (n % 3) {
    case 0:
        e.Action = raRead;
        e.After = snapshots[(unit + n) % snapshots.size()];
        break;
    case 1:
        e.Action = raBackup;
        e.Before = snapshots[(unit + n) % snapshots.size()];
        break;
    default:
        e.Action = raWrite;
        e.Before = snapshots[(unit + n - 1) % snapshots.size()];
        e.After = snapshots[(unit + n) % snapshots.size()];
        e.Changes = {{QStringLiteral("+C3"), 0, 2, QStringLiteral("Период"), QStringLiteral("30"),
                      QStringLiteral("60")},
                     {QStringLiteral("+C7"), 0, 0, QStringLiteral("Сервер"),
                      QStringLiteral("a.example.com"), QStringLiteral("b.example.com")}};
        break;
    }
    return e;
}

bool Build(TRegisterStore& store, const QVector<QByteArray>& snapshots) {
    const qint64 start = QDateTime::currentMSecsSinceEpoch() - kYearMs;
    QVector<TRegisterEvent> chunk;
    chunk.reserve(kChunk);
    for (int unit = 0; unit < kUnits; ++unit)
        for (int n = 0; n < kEventsPerUnit; ++n) {
            chunk << Event(unit, n, start, snapshots);
            if (chunk.size() == kChunk) {
                if (!store.InsertAll(chunk))
                    return false;
                chunk.clear();
            }
        }
    return chunk.isEmpty() || store.InsertAll(chunk);
}

// The median time of a unit's whole history with its changes, as
// "history --unit IMEI --json" asks it.
double HistoryMs(TRegisterStore& store, QRandomGenerator& random, int& events) {
    QVector<double> times;
    for (int i = 0; i < kHistoryRuns; ++i) {
        THistoryQuery query;
        query.Unit = Imei(random.bounded(kUnits));
        query.WithChanges = true;
        QVector<TRegisterEvent> found;
        QElapsedTimer t;
        t.start();
        if (!store.History(query, found))
            return -1;
        times << Ms(t);
        events = int(found.size());
    }
    return Median(times);
}

double RecordMs(TRegister& reg, QRandomGenerator& random) {
    QVector<double> times;
    for (int i = 0; i < kRecordRuns; ++i) {
        TRegisterEvent e;
        e.Unit = Imei(random.bounded(kUnits));
        e.Model = QStringLiteral("VT-300");
        e.Firmware = QStringLiteral("3.1.4");
        e.Port = QStringLiteral("/dev/ttyUSB0");
        e.Action = raWrite;
        e.Result = QStringLiteral("ok");
        e.Before = Snapshot(random);
        e.After = Snapshot(random);
        e.Changes = {{QStringLiteral("+C3"), 0, 2, QStringLiteral("Период"), QStringLiteral("30"),
                      QStringLiteral("60")}};
        QElapsedTimer t;
        t.start();
        if (!reg.Record(e).Recorded)
            return -1;
        times << Ms(t);
    }
    return Median(times);
}

// A write of one row over a tracker whose every value was read first (a
// whole file's write): what the recorder adds to it, backup and write.
double RecorderMs(TRegister& reg, int& values) {
    TWriteResult write;
    values = 0;
    for (int page = 0; page < DevCommands.size(); ++page)
        for (int c = 0; c < DevCommands[page].Commands.size(); ++c) {
            const TDevCommand& cmd = DevCommands[page].Commands[c];
            for (int r = 0; r < cmd.RowCount(); ++r)
                for (int p = 0; p < cmd.Parameters.size(); ++p) {
                    const TCmdAddress a{page, c, r, p};
                    write.Before.SetWireText(a, write.Before.WireText(a));
                    ++values;
                }
            if (write.Written.isEmpty() && cmd.SetData && !cmd.Parameters.isEmpty()) {
                const TCmdAddress a{page, c, 0, 0};
                write.Written.append(a);
                write.Answered.SetWireText(a, write.Before.WireText(a) + QStringLiteral("1"));
            }
        }
    TDeviceLink link;
    TTrackerRecorder recorder(&reg);
    QVector<double> times;
    for (int i = 0; i < kRecordRuns; ++i) {
        QElapsedTimer t;
        t.start();
        if (!recorder.RecordWrite(link, write, QStringLiteral("ok")).Write.Recorded)
            return -1;
        times << Ms(t);
    }
    return Median(times);
}

// The same register on the server, generated there: a million round trips
// would time the network, not the register.
bool FillPostgres(TRegisterStore& store, const QByteArray& before, const QByteArray& after,
                  QString& error) {
    const TRegisterLocation& location = store.Location();
    const QString name = QStringLiteral("bench-fill");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(location.Host);
        db.setPort(location.Port);
        db.setDatabaseName(location.DatabaseName);
        db.setUserName(location.User);
        QSqlQuery q(db);
        auto run = [&](const QString& sql) {
            if (q.exec(sql))
                return true;
            error = q.lastError().text();
            return false;
        };
        const qint64 start = QDateTime::currentMSecsSinceEpoch() - kYearMs;
        // The two snapshots the generated events refer to, stored as a write stores them.
        const QString beforeHash = QString::fromLatin1(
            QCryptographicHash::hash(before, QCryptographicHash::Sha256).toHex());
        const QString afterHash = QString::fromLatin1(
            QCryptographicHash::hash(after, QCryptographicHash::Sha256).toHex());
        TRegisterEvent seed;
        seed.Uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
        seed.Time = QDateTime::currentDateTimeUtc();
        seed.Unit = QStringLiteral("seed");
        seed.Before = before;
        seed.After = after;
        ok = db.open() && run(QStringLiteral("TRUNCATE changes, events, snapshots, units")) &&
             (store.Insert(seed, false) || (error = store.Error(), false)) &&
             run(QStringLiteral("DELETE FROM units")) && run(QStringLiteral("DELETE FROM events"));
        ok = ok &&
             run(QStringLiteral(
                     "INSERT INTO events (uuid, time_ms, unit, identified, model, unit_id, "
                     "firmware, bench, operator, port, action, result, detail, before_hash, "
                     "after_hash, changes, unsent) SELECT gen_random_uuid()::text, "
                     "%1 + (g %% %2) * (%3 / %2) + g / %2, '86' || lpad((g / %2)::text, 13, '0'), "
                     "1, 'VT-' || (300 + g / %2 %% 7), (g / %2)::text, '3.1.' || (g / %2 %% 5), "
                     "'bench-' || (g %% 8), 'operator' || (g %% 12), '/dev/ttyUSB' || (g %% 8), "
                     "(ARRAY['read', 'backup', 'write'])[g %% %2 %% 3 + 1], 'ok', '', "
                     "CASE WHEN g %% %2 %% 3 > 0 THEN '%5' END, "
                     "CASE WHEN g %% %2 %% 3 <> 1 THEN '%6' END, "
                     "CASE WHEN g %% %2 %% 3 = 2 THEN 2 ELSE 0 END, 0 "
                     "FROM generate_series(0, %4 - 1) g ORDER BY g")
                     .arg(start)
                     .arg(kEventsPerUnit)
                     .arg(kYearMs)
                     .arg(qint64(kUnits) * kEventsPerUnit)
                     .arg(beforeHash, afterHash)
                     .replace(QLatin1String("%%"), QLatin1String("%"))) &&
             run(QStringLiteral("INSERT INTO changes SELECT number, s, '+C3', 0, 2, 'Период', "
                                "'30', '60' FROM events, generate_series(0, 1) s WHERE action = "
                                "'write'")) &&
             run(QStringLiteral(
                 "INSERT INTO units SELECT unit, identified, model, unit_id, firmware, first_ms, "
                 "time_ms, number, action, result, n FROM (SELECT e.*, MIN(time_ms) OVER w AS "
                 "first_ms, COUNT(*) OVER w AS n, ROW_NUMBER() OVER (PARTITION BY unit ORDER BY "
                 "time_ms DESC) AS latest FROM events e WINDOW w AS (PARTITION BY unit)) t WHERE "
                 "latest = 1")) &&
             run(QStringLiteral("ANALYZE events, units, changes"));
        if (!db.isOpen() && error.isEmpty())
            error = db.lastError().text();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

// What one flush to disk costs in the register's folder: a recorded event
// waits for one (or two, when the log file grows) before it counts as kept.
double SyncMs(const QString& folder) {
    QFile file(QDir(folder).filePath(QStringLiteral("sync.test")));
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    QVector<double> times;
    const QByteArray block(8192, 'x');
    for (int i = 0; i < kRecordRuns / 4; ++i) {
        QElapsedTimer t;
        t.start();
        file.write(block);
        file.flush();
        ::fdatasync(file.handle());
        times << Ms(t);
    }
    file.remove();
    return Median(times);
}

void Measure(const char* name, TRegister& reg, QRandomGenerator& random) {
    TRegisterStore* store = reg.Store();
    int events = 0;
    const double history = store ? HistoryMs(*store, random, events) : -1;
    const double record = store ? RecordMs(reg, random) : -1;
    if (history < 0 || record < 0) {
        std::printf("%s failed: %s\n", name, qPrintable(store ? store->Error() : reg.Error()));
        return;
    }
    std::printf("%s history --unit (%d events, median of %d units): %.2f ms\n", name, events,
                kHistoryRuns, history);
    std::printf("%s record of a write event with two snapshots (median of %d): %.2f ms\n", name,
                kRecordRuns, record);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QRandomGenerator random(20240305);
    QVector<QByteArray> snapshots;
    for (int i = 0; i < kDistinctSnapshots; ++i)
        snapshots << Snapshot(random);
    std::printf("snapshot size: %lld bytes\n", qint64(snapshots[0].size()));

    QTemporaryDir dir;
    TRegister lite(SqliteLocation(dir.filePath(QStringLiteral("register.sqlite"))), QString());
    QElapsedTimer t;
    t.start();
    if (!lite.Store() || !Build(*lite.Store(), snapshots)) {
        std::printf("sqlite build failed: %s\n",
                    qPrintable(lite.Store() ? lite.Store()->Error() : lite.Error()));
        return 1;
    }
    std::printf("sqlite build of %d units, %d events: %.0f ms\n", kUnits, kUnits * kEventsPerUnit,
                Ms(t));
    Measure("sqlite", lite, random);
    std::printf("disk flush of 8 KB in the register's folder (median of %d): %.2f ms\n",
                kRecordRuns / 4, SyncMs(dir.path()));
    LoadCommandProfile(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("cmdprofile.xml")));
    int values = 0;
    const double recorder = RecorderMs(lite, values);
    std::printf("sqlite recording added to one write (backup and write events, snapshots of "
                "%d values, median of %d): %.2f ms\n",
                values, kRecordRuns, recorder);

    const QString url = qEnvironmentVariable("VELMORA_TEST_PG_URL");
    TRegisterLocation shared;
    QString error;
    if (url.isEmpty() || !ParseRegisterLocation(url, shared, error)) {
        std::printf("postgresql: no test server (VELMORA_TEST_PG_URL)\n");
        return 0;
    }
    TRegister pg(shared, dir.filePath(QStringLiteral("outbox.sqlite")));
    if (!pg.Store()) {
        std::printf("postgresql: %s\n", qPrintable(pg.Error()));
        return 0;
    }
    t.restart();
    if (!FillPostgres(*pg.Store(), snapshots[0], snapshots[1], error)) {
        std::printf("postgresql build failed: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("postgresql build of %d units, %d events (generated on the server): %.0f ms\n",
                kUnits, kUnits * kEventsPerUnit, Ms(t));
    Measure("postgresql", pg, random);
    return 0;
}
