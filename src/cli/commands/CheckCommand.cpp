#include "CommandTable.h"
#include "base/IniFile.h"
#include "check/CheckRun.h"
#include "cli/CliHost.h"
#include "cli/CliOutput.h"
#include "cli/CliRunner.h"
#include "cli/CliText.h"
#include "report/CheckReport.h"
#include "settings/Settings.h"

#include <QFileInfo>
#include <QJsonArray>

TCliCommand CheckCommand();

namespace {

// The longest check the command line takes: an hour.
constexpr int kMaxCheckSeconds = 3600;

// The criterion states as scripts read them.
const char* const kStateWords[] = {"waiting", "passed", "failed", "off"};

// The vehicle's and the installer's options, printed in the report.
const char* const kReportFields[] = {"plate", "vin", "installer"};

bool CheckSeconds(const TCliOptions& o, int* seconds) {
    *seconds = kCheckDefaultSeconds;
    return !o.IsSet("seconds") || ReadBoundedInt(o.Value("seconds"), 1, kMaxCheckSeconds, seconds);
}

QString Check(const TCliOptions& o) {
    int seconds = 0;
    if (!CheckSeconds(o, &seconds))
        return TCli::tr("--seconds требует числа секунд от 1 до %1").arg(kMaxCheckSeconds);
    if (o.Ports.size() != 1)
        return TCli::tr("'check' требует ровно один --port");
    if (!o.Files.isEmpty())
        return TCli::tr("'check' не принимает файлов");
    for (const char* field : kReportFields)
        if (o.IsSet(field) && !o.IsSet("report"))
            return TCli::tr("--%1 печатается только в отчёте: нужен --report")
                .arg(QLatin1String(field));
    return QString();
}

QJsonObject CheckJson(const QString& port, const TInstallCheck& check) {
    QJsonArray criteria;
    for (const TCriterionResult& r : check.Results())
        criteria.append(QJsonObject{{QStringLiteral("id"), CriterionKey(r.Id)},
                                    {QStringLiteral("name"), CriterionName(r.Id)},
                                    {QStringLiteral("state"), QLatin1String(kStateWords[r.State])},
                                    {QStringLiteral("value"), r.Value}});
    const TUnitIdentity& id = check.Identity();
    const TCheckVerdict verdict = check.Verdict();
    return QJsonObject{
        {QStringLiteral("port"), port},
        {QStringLiteral("identity"), QJsonObject{{QStringLiteral("model"), id.Model},
                                                 {QStringLiteral("unit_id"), id.UnitId},
                                                 {QStringLiteral("imei"), id.Imei},
                                                 {QStringLiteral("firmware"), id.Firmware}}},
        {QStringLiteral("criteria"), criteria},
        {QStringLiteral("verdict"), verdict.Passed ? QStringLiteral("fit") : kResultUnfit},
        {QStringLiteral("verdict_text"), VerdictText(verdict.Passed)},
        {QStringLiteral("reasons"), QJsonArray::fromStringList(verdict.Reasons)}};
}

QString CheckText(const QString& port, const TInstallCheck& check) {
    const TUnitIdentity& id = check.Identity();
    QString text = port + QLatin1Char(' ') +
                   TCli::tr("Трекер: %1, ID %2, IMEI %3, ПО %4")
                       .arg(id.Model, id.UnitId, id.Imei, id.Firmware) +
                   QLatin1Char('\n');
    for (const TCriterionResult& r : check.Results())
        text += QStringLiteral("%1 %2: %3 (%4)\n")
                    .arg(port, CriterionName(r.Id), CriterionStateText(r.State), r.Value);
    return text + port + QLatin1Char(' ') + TCli::tr("Заключение: ") +
           VerdictText(check.Verdict().Passed) + QLatin1Char('\n');
}

bool CheckPort(TPortJob& job, const TCheckRunOptions& options, TCheckRunResult* run) {
    if (!job.Enter())
        return false;
    TJobObserver observer(job.Host());
    *run = RunInstallCheck(job.Link(), observer, options);
    if (!run->Streamed)
        return job.Fail(TCli::tr("не удалось запустить поток состояния: ") +
                        job.Host().LastMessage());
    const TInstallCheck& check = run->Record.Check();
    if (job.Setup().Print)
        job.Setup().Print(job.Options().Json
                              ? QString::fromUtf8(JsonLine(CheckJson(job.Port(), check)))
                              : CheckText(job.Port(), check));
    if (!run->Failure.isEmpty())
        return job.Fail(TCli::tr("порт отказал во время потока: ") + run->Failure);
    if (!job.CheckInterrupt())
        return false;
    const TCheckVerdict verdict = check.Verdict();
    if (verdict.Passed)
        return true;
    job.Outcome().Result = kResultUnfit;
    job.Outcome().Reason = verdict.Reasons.join(QStringLiteral("; "));
    return false;
}

// Thresholds as the window takes them; what is wrong in [Check] is said
// and its default taken.
TCheckSettings CheckSettingsFor(const TCliOptions& options) {
    QStringList problems;
    TCheckSettings settings = ReadCheckSettings(
        TIniFile(options.Ini.isEmpty() ? SettingsFilePath() : options.Ini), &problems);
    for (const QString& problem : problems)
        PutText(stderr, QStringLiteral("velmora-cli: ") + problem + QLatin1Char('\n'));
    if (options.IsSet("no-ignition"))
        settings.Enabled[ckIgnition] = false;
    return settings;
}

// The report is drawn here, on the main thread, once the port's job is over.
bool WriteReport(const QString& path, const TCliOptions& options, const TCheckRunResult& run) {
    TCheckReportData data = CheckReportData(run.Record.Check(), run.Record.History());
    data.Plate = options.Value("plate");
    data.Vin = options.Value("vin");
    data.Installer = options.Value("installer");
    QString error;
    if (WriteCheckReport(path, data, &error))
        return true;
    PutText(stderr, QStringLiteral("velmora-cli: ") +
                        TCli::tr("не удалось записать отчёт %1: %2").arg(path, error) +
                        QLatin1Char('\n'));
    return false;
}

// Known before the check's minutes are spent on the unit.
bool ReportWritable(const QString& path) {
    const QFileInfo file(path);
    return file.exists() ? file.isWritable() && !file.isDir()
                         : QFileInfo(file.absolutePath()).isWritable();
}

int Run(const TCliOptions& options) {
    const QString pdf = options.Value("report");
    if (!pdf.isEmpty() && !ReportWritable(pdf))
        return UsageError(
            TCli::tr("не удалось записать отчёт %1: %2").arg(pdf, TCli::tr("нет права записи")));
    TCheckRunOptions check;
    check.Settings = CheckSettingsFor(options);
    CheckSeconds(options, &check.Seconds);
    TCheckRunResult run;
    TCliCommand command = CheckCommand();
    command.PortWork = [&check, &run](TPortJob& job) { return CheckPort(job, check, &run); };
    // --report is the PDF here, not the results' CSV of the other commands.
    TCliOptions ports = options;
    ports.ReportFile.clear();
    const int exit = RunTrackers(ports, command);
    if (pdf.isEmpty() || !run.Streamed)
        return exit;
    return WriteReport(pdf, options, run) ? exit : ceFailed;
}

} // namespace

TCliCommand CheckCommand() {
    TCliCommand c(
        "check",
        "check --port P [--seconds N] [--no-ignition] [--report FILE.pdf] [--plate T] [--vin T] "
        "[--installer T] [--json]",
        QT_TRANSLATE_NOOP(
            "TCli",
            "Проверка установки: запускает поток состояния и судит отчёты трекера по критериям "
            "окна (пороги из раздела [Check] файла настроек), пока все включённые критерии не "
            "станут нормой или не пройдут N секунд; печатает по строке на критерий и "
            "заключение (или один объект JSON). Код выхода 0 только для \"Годен\"."));
    c.Options = {
        PortOption(false),
        ValueOption("seconds", "N",
                    QT_TRANSLATE_NOOP("TCli", "Проверять не дольше N секунд (по умолчанию 120)."),
                    akText),
        SwitchOption("no-ignition",
                     QT_TRANSLATE_NOOP("TCli", "Не проверять зажигание (стенд без ключа).")),
        ValueOption("report", "FILE.pdf",
                    QT_TRANSLATE_NOOP("TCli", "Протокол проверки в PDF: трекер, критерии, "
                                              "заключение, графики, последняя позиция."),
                    akFile),
        ValueOption("plate", "T", QT_TRANSLATE_NOOP("TCli", "Госномер машины для протокола."),
                    akText),
        ValueOption("vin", "T", QT_TRANSLATE_NOOP("TCli", "VIN машины для протокола."), akText),
        ValueOption("installer", "T", QT_TRANSLATE_NOOP("TCli", "Установщик для протокола."),
                    akText),
    };
    c.LinkOptions = true;
    c.Check = Check;
    c.Run = Run;
    // The report's plots are drawn by widgets of the graphics scene.
    c.Draws = true;
    return c;
}
