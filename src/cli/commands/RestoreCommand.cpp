#include "CommandTable.h"
#include "cli/CliHost.h"
#include "cli/CliRunner.h"
#include "cli/CliText.h"
#include "cli/WriteOutcome.h"
#include "register/RegisterRestore.h"

namespace {

qint64 EventOf(const TCliOptions& o) {
    return o.IsSet("event") ? o.Value("event").toLongLong() : 0;
}

QString Check(const TCliOptions& o) {
    if (!o.Files.isEmpty())
        return TCli::tr("'restore' не принимает файлов");
    if (o.IsSet("event") && EventOf(o) <= 0)
        return TCli::tr("--event требует номер события");
    // Another tracker than the event's one would be refused anyway.
    if (o.IsSet("event") && o.Ports.size() > 1)
        return TCli::tr("--event восстанавливает один трекер");
    if (o.IsSet("no-register"))
        return TCli::tr("'restore' берёт значения из журнала трекеров: --no-register не подходит");
    return QString();
}

bool RestorePort(TPortJob& job) {
    if (!job.Enter())
        return false;
    TJobObserver observer(job.Host());
    const TRestoreOutcome restored =
        RestoreEvent(job.Recorder(), EventOf(job.Options()), job.Link(),
                     WriteOptionsOf(job.Options()), observer);
    if (!restored.Ran())
        return job.Fail(restored.Error);
    job.Note(TCli::tr("событие %1").arg(restored.Event));
    job.Recorded(restored.Record.Message());
    return TakeWrite(job, restored.Write);
}

} // namespace

TCliCommand RestoreCommand() {
    TCliCommand c(
        "restore", "restore --port P [--event N] [--store] [--no-verify]",
        QT_TRANSLATE_NOOP(
            "TCli",
            "Записывает в трекер значения, которые он хранил до события журнала трекеров (по "
            "умолчанию до его последней записи), той же записью, что и write: с проверками, "
            "резервной копией и чтением обратно. Событие другого трекера не записывается."));
    c.Options = QVector<TCliOption>{PortOption(true),
                                    ValueOption("event", "N",
                                                QT_TRANSLATE_NOOP("TCli", "Номер события журнала."),
                                                akText)} +
                WriteSwitches();
    c.LinkOptions = true;
    c.Check = Check;
    c.PortWork = RestorePort;
    c.FileSide = "sent";
    return c;
}
