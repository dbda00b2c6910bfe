#include "WriteOutcome.h"

#include "CliHost.h"
#include "CliOptions.h"
#include "CliText.h"
#include "register/TrackerRecorder.h"

namespace {

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

} // namespace

QVector<TCliOption> WriteSwitches() {
    return {SwitchOption("store",
                         QT_TRANSLATE_NOOP("TCli", "Сохранить настройки во флеш после записи.")),
            SwitchOption("no-verify",
                         QT_TRANSLATE_NOOP("TCli", "Не читать записанные команды обратно."))};
}

TWriteOptions WriteOptionsOf(const TCliOptions& options) {
    TWriteOptions o;
    o.Verify = !options.IsSet("no-verify");
    o.Store = options.IsSet("store");
    return o;
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
    if (w.StoreTried)
        job.Recorded(
            job.Recorder()
                .RecordStore(job.Link(), w.Store == fsStored ? kResultOk : kResultNotStored)
                .Message());
    if (job.Options().IsSet("store") && !w.StoreTried) {
        job.Note(TCli::tr("не сохранено во флеш"));
    } else if (w.StoreTried && w.Store != fsStored) {
        result.Result = kResultNotStored;
        job.Note(TCli::tr("не сохранено во флеш: ") + WhyNotStored(w.StoreAnswer));
    }
    return true;
}
