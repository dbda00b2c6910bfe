#include "CommandTable.h"
#include "cli/CliHost.h"
#include "cli/CliInterrupt.h"
#include "cli/CliRunner.h"
#include "cli/CliText.h"
#include "cli/StatusOutput.h"
#include "status/StatusSession.h"

namespace {

// The longest the status stream is read at once, so that Ctrl+C and the
// report count are looked at often.
constexpr int kStatusPumpSliceMs = 200;

// Reports to print; 0: until Ctrl+C. False when --count is no positive number.
bool ReportCount(const TCliOptions& o, int* count) {
    *count = 0;
    return !o.IsSet("count") || ReadBoundedInt(o.Value("count"), 1, INT_MAX, count);
}

QString Check(const TCliOptions& o) {
    int count = 0;
    if (!ReportCount(o, &count))
        return TCli::tr("--count требует положительного числа");
    if (o.Ports.size() != 1)
        return TCli::tr("'status' требует ровно один --port");
    if (!o.Files.isEmpty())
        return TCli::tr("'status' не принимает файлов");
    return QString();
}

bool StatusPort(TPortJob& job) {
    if (!job.Enter())
        return false;
    int count = 0;
    ReportCount(job.Options(), &count);
    TPortResult& result = job.Outcome();
    const TJobSetup& setup = job.Setup();
    const bool json = job.Options().Json;
    TStatusSession session(&job.Link(), TStatusSession::srPump);
    session.OnReport = [&](const TStatusChange& change, const TStatusFields& fields) {
        // A chunk may carry more reports than are still wanted.
        if (count > 0 && result.Commands >= count)
            return;
        ++result.Commands;
        if (setup.Print)
            setup.Print(
                json ? QString::fromUtf8(JsonLine(StatusReportJson(job.Port(), change, fields)))
                     : StatusReportText(job.Port(), change, fields));
    };
    if (!session.Start())
        return job.Fail(TCli::tr("не удалось запустить поток состояния: ") +
                        job.Host().LastMessage());
    while (count <= 0 || result.Commands < count) {
        if (Interrupted())
            break;
        job.Progress(TCli::tr("поток, отчётов: %1").arg(result.Commands));
        if (!session.Pump(kStatusPumpSliceMs))
            return job.Fail(TCli::tr("порт отказал во время потока: ") + session.Failure());
    }
    job.Progress(TCli::tr("остановка потока"));
    session.Stop();
    // Whoever read the reports has seen enough: a normal end.
    return OutputClosed() || job.CheckInterrupt();
}

} // namespace

TCliCommand StatusCommand() {
    TCliCommand c(
        "status", "status --port P [--count N] [--json]",
        QT_TRANSLATE_NOOP(
            "TCli", "Запускает поток состояния трекера и печатает каждый разобранный отчёт (или по "
                    "объекту JSON на отчёт с --json), пока не придут N отчётов или Ctrl+C; затем "
                    "останавливает поток."));
    c.Options = {PortOption(false),
                 ValueOption("count", "N",
                             QT_TRANSLATE_NOOP("TCli", "Остановиться после N отчётов (по "
                                                       "умолчанию до Ctrl+C)."),
                             akText)};
    c.LinkOptions = true;
    c.Check = Check;
    c.PortWork = StatusPort;
    return c;
}
