#include "CommandTable.h"
#include "cli/CliOutput.h"
#include "cli/CliRegister.h"
#include "cli/CliRunner.h"
#include "cli/CliText.h"
#include "register/HistoryFormat.h"
#include "register/Register.h"

namespace {

// --since: an ISO 8601 time, or a date (from its start); UTC unless it says
// otherwise, as the history prints its times.
QDateTime SinceOf(const TCliOptions& o) {
    const QString text = o.Value("since").trimmed();
    QDateTime since = QDateTime::fromString(text, Qt::ISODate);
    if (!since.isValid())
        since = QDate::fromString(text, Qt::ISODate).startOfDay(Qt::UTC);
    else if (since.timeSpec() == Qt::LocalTime)
        since.setTimeSpec(Qt::UTC);
    return since;
}

QString Check(const TCliOptions& o) {
    if (!o.Files.isEmpty())
        return TCli::tr("'history' не принимает аргументов");
    if (o.IsSet("since") && !SinceOf(o).isValid())
        return TCli::tr("--since требует даты ГГГГ-ММ-ДД или времени ГГГГ-ММ-ДДTчч:мм:сс");
    return QString();
}

int Run(const TCliOptions& options) {
    std::unique_ptr<TRegister> reg;
    TRegisterStore* store = OpenRegisterFor(options, reg);
    if (!store)
        return ceUsage;
    THistoryQuery query;
    query.Unit = options.Value("unit").trimmed();
    query.Since = SinceOf(options);
    query.WithChanges = options.Json; // the lines give only their number
    QVector<TRegisterEvent> events;
    if (!store->History(query, events))
        return UsageError(store->Error());
    for (const TRegisterEvent& e : events)
        PutText(stdout, options.Json ? QString::fromUtf8(JsonLine(HistoryJson(e)))
                                     : HistoryLine(e) + QLatin1Char('\n'));
    return ceSuccess;
}

} // namespace

TCliCommand HistoryCommand() {
    TCliCommand c(
        "history", "history [--unit IMEI] [--since DATE] [--json]",
        QT_TRANSLATE_NOOP("TCli",
                          "Выводит события журнала трекеров, старые первыми: по строке (или "
                          "объекту JSON) на событие с номером, временем, трекером, действием, "
                          "результатом, портом, стендом, оператором и изменёнными значениями."));
    c.Options = {
        ValueOption("unit", "IMEI",
                    QT_TRANSLATE_NOOP("TCli", "Только события этого трекера (IMEI, а у "
                                              "неопознанного серийный номер адаптера)."),
                    akText),
        ValueOption("since", "DATE",
                    QT_TRANSLATE_NOOP("TCli", "Только события с этого времени (ISO 8601, UTC)."),
                    akText),
        JsonOption(), RegisterOption()};
    c.Check = Check;
    c.Run = Run;
    return c;
}
