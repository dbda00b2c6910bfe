#include "RegisterRestore.h"

#include "RegisterSnapshot.h"
#include "ops/ResultWords.h"

#include "base/Translate.h"

namespace {

constexpr TTrContext Tr("TRegister");

} // namespace

TRestoreOutcome RestoreEvent(TTrackerRecorder& recorder, qint64 number, TDeviceLink& link,
                             const TWriteOptions& options, TOpsObserver& observer) {
    TRestoreOutcome out;
    TRegisterStore* store = recorder.Register() ? recorder.Register()->Store() : nullptr;
    if (!store) {
        out.Error =
            recorder.Register() ? recorder.Register()->Error() : Tr("Журнал трекеров отключён");
        return out;
    }
    // Who is on the port decides which write is "the last one".
    recorder.Identify(link, observer);
    if (number <= 0 && !store->LastWrite(recorder.Unit(), number)) {
        out.Error = store->Error();
        return out;
    }
    if (number <= 0) {
        out.Error = Tr("В журнале трекеров нет записи в трекер %1").arg(recorder.Unit());
        return out;
    }
    out.Event = number;
    TRegisterEvent event;
    if (!store->Event(number, event, true)) {
        out.Error = store->Error();
        return out;
    }
    if (event.Before.isEmpty()) {
        out.Error = Tr("У события %1 нет значений до него").arg(number);
        return out;
    }
    if (recorder.Identity().Identified && !recorder.Identity().Imei.trimmed().isEmpty() &&
        recorder.Unit() != event.Unit) {
        out.Error = Tr("Событие %1 относится к трекеру %2, а на порту трекер %3")
                        .arg(number)
                        .arg(event.Unit, recorder.Unit());
        return out;
    }
    TParamValueTable values;
    QString error;
    if (!LoadSnapshot(event.Before, values, error)) {
        out.Error = Tr("Значения события %1 не читаются: %2").arg(number).arg(error);
        return out;
    }
    out.Write = WriteValues(link, values, options, observer);
    out.Record =
        recorder.RecordWrite(link, out.Write, WriteResultWord(out.Write, options.Store), raRestore);
    return out;
}
