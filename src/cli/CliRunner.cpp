#include "CliRunner.h"

#include "CliInputs.h"
#include "CliInterrupt.h"
#include "CliLogFile.h"
#include "CliOutput.h"
#include "PortJob.h"
#include "config/ConfigFile.h"
#include "config/ParamValueTable.h"
#include "profile/HeldValues.h"
#include "profile/ProfileCheck.h"
#include "profile/TouchRecorder.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QSaveFile>
#include <memory>

namespace {

// How often the progress board is redrawn while the jobs run.
constexpr int kBoardRedrawMs = 200;

int UsageError(const QString& message) {
    PutText(stderr, QStringLiteral("velmora-cli: ") + message + QLatin1Char('\n'));
    return ceUsage;
}

// Loading a configuration file prints every message of the loader.
class TPrintingReport : public TConfigReport {
public:
    explicit TPrintingReport(const QString& file) : FFile(file) {}
    void Log(const QString& text) override {
        PutText(stderr, FFile + QStringLiteral(": ") + text + QLatin1Char('\n'));
    }

private:
    QString FFile;
};

// A file's bytes and its values (the table holds what the file holds).
struct TFileValues {
    QByteArray Data;
    TParamValueTable Values;
    bool HoldsAnyCommand() const {
        for (int page = 0; page < DevCommands.size(); ++page)
            for (int c = 0; c < DevCommands[page].Commands.size(); ++c)
                if (HoldsCommand(Values, page, c))
                    return true;
        return false;
    }
};

// False (message printed) when the file cannot be used: unreadable, damaged,
// or stopped by a structural error.
bool LoadFile(const QString& file, TFileValues& out) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        PutText(stderr,
                QStringLiteral("velmora-cli: cannot load %1: %2\n").arg(file, in.errorString()));
        return false;
    }
    out.Data = in.readAll();
    QBuffer buffer(&out.Data);
    buffer.open(QIODevice::ReadOnly);
    TPrintingReport report(file);
    const TConfigFileResult r = LoadConfiguration(buffer, out.Values, report);
    switch (r.Status) {
    case cfOk:
        return true;
    case cfStructure:
        PutText(stderr, QStringLiteral("velmora-cli: %1 does not fit the profile; nothing was "
                                       "sent\n")
                            .arg(file));
        return false;
    case cfOpenError:
    case cfTooLarge:
    case cfWriteError:
    case cfStreamError:
        break;
    }
    PutText(stderr, QStringLiteral("velmora-cli: cannot load %1%2\n")
                        .arg(file, r.Error.isEmpty() ? QString() : QStringLiteral(": ") + r.Error));
    return false;
}

} // namespace

int RunTrackers(const TCliOptions& options) {
    QString error;
    if (!LoadProfileFor(options, &error))
        return UsageError(error);
    TJobSetup setup;
    if (!ReadLinkSettingsFor(options, &setup.Settings, &error))
        return UsageError(error);
    setup.ConnectTimeoutSec = options.ConnectTimeoutSec;
    setup.OutPattern = options.Out;
    setup.Store = options.Store;
    setup.Verify = !options.NoVerify;
    setup.Count = options.Count;
    setup.Json = options.Json;
    switch (options.Command) {
    case ccRead:
        setup.Kind = jkRead;
        break;
    case ccWrite:
        setup.Kind = jkWrite;
        break;
    case ccDiff:
        setup.Kind = jkDiff;
        break;
    default:
        setup.Kind = jkStatus;
        break;
    }

    // Inputs first: nothing is sent before every one of them is usable.
    TFileValues file;
    if (setup.Kind == jkWrite || setup.Kind == jkDiff) {
        setup.FileName = options.Files.first();
        if (!LoadFile(setup.FileName, file))
            return ceUsage;
        if (!file.HoldsAnyCommand())
            return UsageError(
                QStringLiteral("%1 holds no command of the profile").arg(setup.FileName));
        setup.FileData = file.Data;
    }
    TCliLogFile log;
    if (!options.LogFile.isEmpty()) {
        if (!log.Open(options.LogFile, &error))
            return UsageError(
                QStringLiteral("cannot write the log %1: %2").arg(options.LogFile, error));
        setup.Log = &log;
    }
    if (!options.ReportFile.isEmpty()) {
        QFile probe(options.ReportFile);
        if (!probe.open(QIODevice::WriteOnly | QIODevice::Append))
            return UsageError(QStringLiteral("cannot write the report %1: %2")
                                  .arg(options.ReportFile, probe.errorString()));
    }

    TProgressBoard board(options.Ports);
    setup.Board = &board;
    QMutex printMutex;
    setup.Print = [&](const QString& text) {
        QMutexLocker lock(&printMutex);
        board.Clear();
        PutText(stdout, text);
    };

    InstallInterruptHandler();
    std::vector<std::unique_ptr<TPortJob>> jobs;
    for (int i = 0; i < options.Ports.size(); ++i)
        jobs.push_back(std::make_unique<TPortJob>(setup, options.Ports[i], i));
    for (auto& job : jobs)
        job->start();
    for (auto& job : jobs) {
        while (!job->wait(kBoardRedrawMs)) {
            QMutexLocker lock(&printMutex);
            board.Redraw();
        }
    }
    board.Clear();

    QVector<TPortResult> results;
    bool allOk = true;
    for (auto& job : jobs) {
        const TPortResult& r = job->Result();
        results.append(r);
        allOk = allOk && r.Succeeded();
        // diff: each value that differs; write: each value the tracker did
        // not take.
        const QString left =
            setup.Kind == jkWrite ? QStringLiteral("sent") : QStringLiteral("file");
        const QString right = QStringLiteral("tracker");
        for (const TValueDifference& d : job->Differences())
            PutText(stdout, options.Json
                                ? QString::fromUtf8(JsonLine(DifferenceJson(d, left, right)))
                                : DifferenceLine(d, left, right) + QLatin1Char('\n'));
        PutText(stdout, options.Json ? QString::fromUtf8(JsonLine(ResultJson(r)))
                                     : ResultLine(r) + QLatin1Char('\n'));
    }
    if (!options.ReportFile.isEmpty()) {
        QSaveFile report(options.ReportFile);
        if (!report.open(QIODevice::WriteOnly) || report.write(ResultCsv(results)) < 0 ||
            !report.commit()) {
            PutText(stderr, QStringLiteral("velmora-cli: cannot write the report %1: %2\n")
                                .arg(options.ReportFile, report.errorString()));
            return ceFailed;
        }
    }
    return allOk && (!Interrupted() || OutputClosed()) ? ceSuccess : ceFailed;
}

int RunFileDiff(const TCliOptions& options) {
    QString error;
    if (!LoadProfileFor(options, &error))
        return UsageError(error);
    TFileValues a, b;
    if (!LoadFile(options.Files[0], a) || !LoadFile(options.Files[1], b))
        return ceUsage;
    // Values both files hold compare as the window compares them; a value
    // only one of them holds differs as well.
    const TValueDiff compared = CompareValues(a.Values, b.Values, dsCompare);
    QHash<quint64, TValueDifference> found;
    for (const TValueDiffRow& row : compared.Rows)
        found.insert(AddressKey(row.Address), DifferenceOf(row));
    QVector<TValueDifference> diffs;
    for (int page = 0; page < DevCommands.size(); ++page) {
        const QVector<TDevCommand>& commands = DevCommands[page].Commands;
        for (int c = 0; c < commands.size(); ++c)
            for (int r = 0; r < commands[c].RowCount(); ++r)
                for (int p = 0; p < commands[c].Parameters.size(); ++p) {
                    const TCmdAddress at{page, c, r, p};
                    if (found.contains(AddressKey(at))) {
                        diffs.append(found.value(AddressKey(at)));
                        continue;
                    }
                    const bool inA = a.Values.Held(at) & hpValue;
                    const bool inB = b.Values.Held(at) & hpValue;
                    if (inA == inB)
                        continue;
                    const auto shown = [&at](const TParamValueTable& v, bool held) {
                        return held ? ShownValue(v.WireText(at), v.ParameterEnabled(at))
                                    : AbsentValue();
                    };
                    diffs.append(
                        OneSidedDifference(at, shown(a.Values, inA), shown(b.Values, inB)));
                }
    }
    for (const TValueDifference& d : diffs)
        PutText(stdout, options.Json ? QString::fromUtf8(JsonLine(DifferenceJson(
                                           d, QStringLiteral("a"), QStringLiteral("b"))))
                                     : DifferenceLine(d, QStringLiteral("a"), QStringLiteral("b")) +
                                           QLatin1Char('\n'));
    return diffs.isEmpty() ? ceSuccess : ceFailed;
}

int RunCheckProfile(const TCliOptions& options) {
    const QString path = options.Files.isEmpty() ? DefaultProfilePath() : options.Files.first();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return UsageError(
            QStringLiteral("cannot read the profile %1: %2").arg(path, file.errorString()));
    const QVector<TProfileFinding> findings = CheckProfile(file.readAll());
    for (const TProfileFinding& f : findings)
        PutText(stdout, (f.Command.isEmpty() ? QString() : f.Command + QStringLiteral(": ")) +
                            f.Text + QLatin1Char('\n'));
    return findings.isEmpty() ? ceSuccess : ceFailed;
}
