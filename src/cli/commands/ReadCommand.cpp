#include "CommandTable.h"
#include "cli/CliHost.h"
#include "cli/CliRunner.h"
#include "cli/CliText.h"
#include "config/ConfigFile.h"
#include "config/ParamValueTable.h"
#include "ops/CommandRead.h"
#include "ops/ResultWords.h"
#include "profile/HeldValues.h"
#include "register/TrackerRecorder.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

QString Check(const TCliOptions& o) {
    if (!o.Files.isEmpty())
        return TCli::tr("'read' не принимает файлов (используйте --out)");
    const QString pattern = o.Value("out");
    if (o.Ports.size() > 1 && !pattern.contains(QLatin1String(kPortPlaceholder)))
        return TCli::tr("при нескольких портах --out должен содержать {port}");
    // Two ports with the same base name would write one file.
    QSet<QString> outs;
    for (const QString& port : o.Ports) {
        const QString out = QFileInfo(OutputFileFor(pattern, port)).absoluteFilePath();
        if (outs.contains(out))
            return TCli::tr("два порта записали бы %1").arg(out);
        outs.insert(out);
    }
    return QString();
}

bool ReadPort(TPortJob& job) {
    TPortResult& result = job.Outcome();
    result.File = OutputFileFor(job.Options().Value("out"), job.Port());
    if (!job.Enter())
        return false;
    TJobObserver observer(job.Host());
    job.Identify(observer);
    const TReadResult read = ReadCommands(job.Link(), job.Values(), ReadableCommands({}), observer);
    job.Recorded(
        job.Recorder().RecordRead(job.Link(), job.Values(), ReadResultWord(read)).Message());
    result.Commands = read.Count(rsRead);
    if (!job.TakeRead(read))
        return false;
    // Only what the tracker sent goes into the file, and the values the
    // program keeps of its own, as the window saves them.
    HoldProgramValues(job.Values(), read);
    job.Progress(TCli::tr("сохранение ") + result.File);
    const QFileInfo out(result.File);
    if (!QDir().mkpath(out.absolutePath()))
        return job.Fail(TCli::tr("не удалось создать папку %1").arg(out.absolutePath()));
    TJobConfigReport report(job.Host());
    const TConfigFileResult saved = SaveConfigurationFile(job.Values(), result.File, report);
    if (!saved.Ok())
        return job.Fail(TCli::tr("не удалось записать %1: %2").arg(result.File, saved.Error));
    return true;
}

} // namespace

TCliCommand ReadCommand() {
    TCliCommand c(
        "read", "read --port P [--port P ...] --out FILE.zxml|PATTERN",
        QT_TRANSLATE_NOOP(
            "TCli", "Входит в командный режим, читает каждую читаемую команду профиля и сохраняет "
                    "присланные трекером значения в файл конфигурации. Команда без ответа, с "
                    "коротким или непонятым ответом называется, а её недостающие значения не "
                    "попадают в файл: результат тогда 'partial'. При нескольких портах имя файла "
                    "должно содержать {port}, который заменяется базовым именем порта, например "
                    "--out units/{port}.zxml."));
    c.Options = {PortOption(true),
                 ValueOption("out", "FILE.zxml",
                             QT_TRANSLATE_NOOP("TCli", "Файл конфигурации для записи; {port} "
                                                       "заменяется базовым именем порта."),
                             akFile, true)};
    c.LinkOptions = true;
    c.Check = Check;
    c.PortWork = ReadPort;
    return c;
}
