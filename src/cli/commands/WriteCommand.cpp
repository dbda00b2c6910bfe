#include "CommandTable.h"
#include "cli/CliHost.h"
#include "cli/CliRunner.h"
#include "cli/CliText.h"
#include "ops/TrackerWrite.h"

namespace {

QString Check(const TCliOptions& o) {
    if (o.Files.size() != 1)
        return TCli::tr("'write' требует ровно один файл конфигурации");
    return QString();
}

// What the tracker said to a store it did not confirm.
QString WhyNotStored(const TAnswerOutcome& answer) {
    if (answer.ExchangeFailed)
        return TCli::tr("обмен не удался");
    if (answer.Unsupported)
        return TCli::tr("трекер ответил NOT SUPPORTED");
    if (!answer.DeviceError.isEmpty())
        return TCli::tr("трекер отказал: ") + answer.DeviceError;
    return TCli::tr("трекер не ответил");
}

// A failure of the write; empty when there was none.
QString FailureOf(const TWriteResult& w, const QString& lastMessage) {
    const QString nothing = TCli::tr("; ничего не записано");
    switch (w.Failure) {
    case wfNone:
        break;
    case wfReadFailed:
        return TCli::tr("чтение %1 не удалось: %2").arg(RowName(w.At), lastMessage);
    case wfNoValue:
        return TCli::tr("у %1 нет значения ни в файле, ни в трекере").arg(ParameterName(w.At)) +
               nothing;
    case wfUnreadRow:
        return TCli::tr("трекер не выдал %1 целиком, а в файле нет всей строки")
                   .arg(RowName(w.At)) +
               nothing;
    case wfUnsafeValue:
        return TCli::tr("%1 содержит %2")
                   .arg(ParameterName(w.At), w.Unsafe == ukSeparator
                                                 ? TCli::tr("запятую или двойную кавычку")
                                                 : TCli::tr("управляющий символ")) +
               nothing;
    case wfNoPassword:
        return TCli::tr("нет пароля для %1").arg(RowName(w.At)) + nothing;
    case wfExchange:
        return TCli::tr("запись %1 не удалась: %2").arg(RowName(w.At), lastMessage);
    case wfRefused:
        return TCli::tr("трекер отказал в %1: %2").arg(RowName(w.At), w.Refusal);
    case wfNotConfirmed:
        return TCli::tr("трекер не подтвердил %1").arg(RowName(w.At));
    }
    return QString();
}

bool TakeWrite(TPortJob& job, const TWriteResult& w) {
    TPortResult& result = job.Outcome();
    QVector<TValueDifference>& differences = job.FoundDifferences();
    result.Commands = w.CommandsWritten;
    for (const TCmdAddress& c : w.Unsupported)
        job.AddUnsupported(RowName(c));
    for (const TNotTaken& m : w.Mismatches)
        differences.append(DifferenceOf(m));
    result.Mismatches = int(w.Mismatches.size());
    if (w.Interrupted)
        return job.CheckInterrupt();
    const QString failure = FailureOf(w, job.Host().LastMessage());
    if (!failure.isEmpty())
        return job.Fail(failure);
    if (!w.Mismatches.isEmpty()) {
        result.Result = kResultDiffers;
        job.Note(TCli::tr("не принято: ") + DifferenceLine(differences.first(),
                                                           QStringLiteral("sent"),
                                                           QStringLiteral("tracker")));
    } else if (!w.Unverified.isEmpty()) {
        result.Result = kResultPartial;
        job.Note(TCli::tr("не прочитано обратно: ") + ParameterName(w.Unverified.first()));
    }
    if (job.Options().IsSet("store") && !w.StoreTried) {
        job.Note(TCli::tr("не сохранено во флеш"));
    } else if (w.StoreTried && w.Store != fsStored) {
        result.Result = kResultNotStored;
        job.Note(TCli::tr("не сохранено во флеш: ") + WhyNotStored(w.StoreAnswer));
    }
    return true;
}

bool WritePort(TPortJob& job) {
    job.Outcome().File = job.Setup().FileName;
    if (!job.Enter())
        return false;
    TJobObserver observer(job.Host());
    TWriteOptions options;
    options.Verify = !job.Options().IsSet("no-verify");
    options.Store = job.Options().IsSet("store");
    return TakeWrite(job, WriteValues(job.Link(), job.Values(), options, observer));
}

} // namespace

TCliCommand WriteCommand() {
    TCliCommand c(
        "write", "write --port P [--port P ...] FILE.zxml [--store] [--no-verify]",
        QT_TRANSLATE_NOOP(
            "TCli",
            "Загружает файл с проверками программы (структурные ошибки останавливают всё до "
            "отправки), читает, что трекер хранит из затронутых команд, затем пишет постранично "
            "только строки, значения которых есть в файле, каждую такой, какой её хранит трекер, "
            "со значениями файла поверх. Строки, которые нельзя отправить безопасно, проваливают "
            "порт до его первой записи. Читает записанные команды обратно и сравнивает (если не "
            "задан --no-verify); каждое значение, которое трекер не принял, перечисляется. С "
            "--store настройки сохраняются во флеш, когда всё прошло; сохранение, которое трекер "
            "не подтвердил, даёт 'not stored'."));
    c.Options = {
        PortOption(true),
        SwitchOption("store", QT_TRANSLATE_NOOP("TCli", "Сохранить настройки во флеш после "
                                                        "записи.")),
        SwitchOption("no-verify",
                     QT_TRANSLATE_NOOP("TCli", "Не читать записанные команды обратно."))};
    c.LinkOptions = true;
    c.TakesFiles = true;
    c.Check = Check;
    c.PortWork = WritePort;
    c.LoadsFile = true;
    c.FileSide = "sent";
    return c;
}
