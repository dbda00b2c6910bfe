#include "CliRunner.h"

#include "CliInputs.h"
#include "CliInterrupt.h"
#include "CliLogFile.h"
#include "CliOptions.h"
#include "CliOutput.h"
#include "CliText.h"
#include "commands/CliCommand.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QSaveFile>
#include <memory>

namespace {

// How often the progress board is redrawn while the jobs run.
constexpr int kBoardRedrawMs = 200;

} // namespace

int UsageError(const QString& message) {
    PutText(stderr, QStringLiteral("velmora-cli: ") + message + QLatin1Char('\n'));
    return ceUsage;
}

int RunCliCommand(const TCliCommand& command, const TCliOptions& options) {
    return command.Run ? command.Run(options) : RunTrackers(options, command);
}

int RunTrackers(const TCliOptions& options, const TCliCommand& command) {
    QString error;
    if (!LoadProfileFor(options, &error))
        return UsageError(error);
    TJobSetup setup;
    setup.Work = command.PortWork;
    setup.Options = &options;
    if (!ReadLinkSettingsFor(options, &setup.Settings, &error))
        return UsageError(error);
    setup.ConnectTimeoutSec = options.ConnectTimeoutSec;
    if (!ReadRegisterFor(options, &setup.Register, &error))
        return UsageError(error);

    // Inputs first: nothing is sent before every one of them is usable.
    TFileValues file;
    if (command.LoadsFile) {
        setup.FileName = options.Files.first();
        if (!LoadFileValues(setup.FileName, file))
            return ceUsage;
        if (!file.HoldsAnyCommand())
            return UsageError(
                TCli::tr("%1 не содержит ни одной команды профиля").arg(setup.FileName));
        setup.FileData = file.Data;
    }
    TCliLogFile log;
    if (!options.LogFile.isEmpty()) {
        if (!log.Open(options.LogFile, &error))
            return UsageError(
                TCli::tr("не удалось записать журнал %1: %2").arg(options.LogFile, error));
        setup.Log = &log;
    }
    if (!options.ReportFile.isEmpty()) {
        QFile probe(options.ReportFile);
        if (!probe.open(QIODevice::WriteOnly | QIODevice::Append))
            return UsageError(TCli::tr("не удалось записать отчёт %1: %2")
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
    const QString fileSide = QLatin1String(command.FileSide);
    const QString tracker = QStringLiteral("tracker");
    for (auto& job : jobs) {
        const TPortResult& r = job->Result();
        results.append(r);
        allOk = allOk && r.Succeeded();
        for (const TValueDifference& d : job->Differences())
            PutText(stdout, options.Json
                                ? QString::fromUtf8(JsonLine(DifferenceJson(d, fileSide, tracker)))
                                : DifferenceLine(d, fileSide, tracker) + QLatin1Char('\n'));
        PutText(stdout, options.Json ? QString::fromUtf8(JsonLine(ResultJson(r)))
                                     : ResultLine(r) + QLatin1Char('\n'));
    }
    if (!options.ReportFile.isEmpty()) {
        QSaveFile report(options.ReportFile);
        if (!report.open(QIODevice::WriteOnly) || report.write(ResultCsv(results)) < 0 ||
            !report.commit()) {
            PutText(stderr, QStringLiteral("velmora-cli: ") +
                                TCli::tr("не удалось записать отчёт %1: %2")
                                    .arg(options.ReportFile, report.errorString()) +
                                QLatin1Char('\n'));
            return ceFailed;
        }
    }
    return allOk && (!Interrupted() || OutputClosed()) ? ceSuccess : ceFailed;
}
