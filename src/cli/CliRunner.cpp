#include "CliRunner.h"

#include "CliInputs.h"
#include "CliInterrupt.h"
#include "CliLogFile.h"
#include "CliOutput.h"
#include "PortJob.h"
#include "TouchedValues.h"
#include "ValueDiff.h"
#include "config/ConfigFile.h"
#include "config/ParamValueTable.h"
#include "profile/ProfileCheck.h"

#include <QBuffer>
#include <QFile>
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

// A file's bytes, its values and the commands it holds.
struct TFileValues {
    QByteArray Data;
    TParamValueTable Values;
    QSet<quint64> Commands;
    bool Holds(int page, int command) const {
        return Commands.contains((quint64(quint32(page)) << 32) | quint32(command));
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
    TTouchedValues touched(out.Values);
    TPrintingReport report(file);
    const TConfigFileResult r = LoadConfiguration(buffer, touched, report);
    for (int page = 0; page < DevCommands.size(); ++page)
        for (int c = 0; c < DevCommands[page].Commands.size(); ++c)
            if (touched.Touched(page, c))
                out.Commands.insert((quint64(quint32(page)) << 32) | quint32(c));
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
        if (file.Commands.isEmpty())
            return UsageError(
                QStringLiteral("%1 holds no command of the profile").arg(setup.FileName));
        setup.FileData = file.Data;
        setup.InFile = [&file](int page, int command) { return file.Holds(page, command); };
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
        if (setup.Kind == jkDiff)
            for (const TValueDifference& d : job->Differences())
                PutText(stdout,
                        options.Json
                            ? QString::fromUtf8(JsonLine(DifferenceJson(d, QStringLiteral("file"),
                                                                        QStringLiteral("tracker"))))
                            : DifferenceLine(d, QStringLiteral("file"), QStringLiteral("tracker")) +
                                  QLatin1Char('\n'));
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
    TCompareRules rules;
    rules.Switches = true;
    rules.Include = [&](int page, int command) {
        return a.Holds(page, command) || b.Holds(page, command);
    };
    const QVector<TValueDifference> diffs = CompareValues(a.Values, b.Values, rules);
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
