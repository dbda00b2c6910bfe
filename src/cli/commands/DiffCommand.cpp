#include "CommandTable.h"
#include "cli/CliInputs.h"
#include "cli/CliOutput.h"
#include "cli/CliRunner.h"
#include "cli/CliText.h"
#include "config/ParamValueTable.h"
#include "ops/CommandRead.h"
#include "ops/ResultWords.h"
#include "profile/HeldValues.h"
#include "profile/TouchRecorder.h"
#include "register/TrackerRecorder.h"

#include <QHash>

TCliCommand DiffCommand();

namespace {

QString Check(const TCliOptions& o) {
    if (o.Ports.size() > 1)
        return TCli::tr("'diff' сравнивает один трекер за раз");
    if (o.Ports.size() == 1 && o.Files.size() != 1)
        return TCli::tr("'diff --port P' требует ровно один файл конфигурации");
    if (o.Ports.isEmpty() && o.Files.size() != 2)
        return TCli::tr("'diff' требует --port P и файл или два файла");
    return QString();
}

bool DiffPort(TPortJob& job) {
    TPortResult& result = job.Outcome();
    result.File = job.Setup().FileName;
    if (!job.Enter())
        return false;
    TJobObserver observer(job.Host());
    job.Identify(observer);
    TParamValueTable tracker;
    TParamValueTable& file = job.Values();
    const TReadResult read = ReadCommands(
        job.Link(), tracker,
        ReadableCommands([&file](int page, int c) { return HoldsCommand(file, page, c); }),
        observer);
    job.Recorded(job.Recorder().RecordRead(job.Link(), tracker, ReadResultWord(read)).Message());
    result.Commands = read.Count(rsRead) + read.Count(rsUnsupported);
    if (!job.TakeRead(read))
        return false;
    // The one comparison the window uses: what both hold, by the
    // wire-equivalence rule.
    QVector<TValueDifference>& differences = job.FoundDifferences();
    const TValueDiff diff = CompareValues(file, tracker, dsIgnore);
    for (const TValueDiffRow& row : diff.Rows)
        differences.append(DifferenceOf(row));
    result.Mismatches = int(differences.size());
    if (!differences.isEmpty()) {
        result.Result = kResultDiffers;
        job.Note(TCli::tr("различаются значения: %1").arg(differences.size()));
    }
    return true;
}

// diff A.zxml B.zxml: no tracker involved.
int RunFileDiff(const TCliOptions& options) {
    QString error;
    if (!LoadProfileFor(options, &error))
        return UsageError(error);
    TFileValues a, b;
    if (!LoadFileValues(options.Files[0], a) || !LoadFileValues(options.Files[1], b))
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
    const QString left = QStringLiteral("a");
    const QString right = QStringLiteral("b");
    for (const TValueDifference& d : diffs)
        PutText(stdout, options.Json ? QString::fromUtf8(JsonLine(DifferenceJson(d, left, right)))
                                     : DifferenceLine(d, left, right) + QLatin1Char('\n'));
    return diffs.isEmpty() ? ceSuccess : ceFailed;
}

int Run(const TCliOptions& options) {
    return options.Ports.isEmpty() ? RunFileDiff(options) : RunTrackers(options, DiffCommand());
}

} // namespace

TCliCommand DiffCommand() {
    TCliCommand c(
        "diff", "diff --port P FILE.zxml  |  diff A.zxml B.zxml",
        QT_TRANSLATE_NOOP(
            "TCli", "Сравнивает значения трекера (или второго файла) с файлом: по строке на каждый "
                    "различающийся параметр. Код выхода 0 только при равенстве."));
    c.Options = {PortOption(false)};
    c.LinkOptions = true;
    c.TakesFiles = true;
    c.Check = Check;
    c.PortWork = DiffPort;
    c.LoadsFile = true;
    c.Run = Run;
    return c;
}
