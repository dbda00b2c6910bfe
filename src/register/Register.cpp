#include "Register.h"

#include "base/Translate.h"

#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QUuid>

namespace {

constexpr TTrContext Tr("TRegister");
// After the shared register could not be reached, events go straight to the
// local one for this long: a batch does not wait a connection time-out per event.
constexpr int kSharedRetryPauseMs = 30000;
// Kept events are read from the local register this many at a time.
constexpr int kSendChunk = 100;

// One sender at a time in a process: the port threads would only send the
// same kept events twice.
QMutex gSendMutex;

} // namespace

QString TRecordOutcome::Message() const {
    QStringList parts;
    if (Sent > 0)
        parts << Tr("В журнал трекеров %1 отправлены события, сохранённые ранее на этом "
                    "компьютере: %2")
                     .arg(Where)
                     .arg(Sent);
    if (!Recorded)
        parts << Tr("Событие не записано в журнал трекеров %1: %2").arg(Where, Error);
    else if (Kept)
        parts << Tr("Журнал трекеров %1 недоступен (%2): событие сохранено на этом компьютере, "
                    "ждут отправки: %3")
                     .arg(Where, Error)
                     .arg(Waiting);
    else if (Waiting > 0)
        parts
            << Tr("Ждут отправки в журнал трекеров %1: %2 (%3)").arg(Where).arg(Waiting).arg(Error);
    return parts.join(QStringLiteral("; "));
}

TRegister::TRegister(const TRegisterLocation& location, const QString& localFile)
    : FLocation(location), FLocalFile(localFile), FWorkplace(CurrentWorkplace()) {}

void TRegister::Complete(TRegisterEvent& event) const {
    if (event.Uuid.isEmpty())
        event.Uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    event.Time = event.Time.isValid() ? event.Time.toUTC() : QDateTime::currentDateTimeUtc();
    if (event.Bench.isEmpty())
        event.Bench = FWorkplace.Bench;
    if (event.Operator.isEmpty())
        event.Operator = FWorkplace.Operator;
    if (event.Unit.isEmpty()) {
        event.Unit = event.Port;
        event.Identified = false;
    }
}

TRegisterStore* TRegister::Store() {
    if (FMain.IsOpen() || FMain.Open(FLocation))
        return &FMain;
    FError = FMain.Error();
    return nullptr;
}

TRecordOutcome TRegister::Record(TRegisterEvent& event) {
    Complete(event);
    TRecordOutcome outcome;
    outcome.Where = FLocation.Display();
    if (!FLocation.Shared()) {
        if (Store() && FMain.Insert(event, false)) {
            outcome.Recorded = true;
            outcome.Number = event.Number;
        } else
            outcome.Error = FMain.Error();
        return outcome;
    }
    QString why;
    if (ReachShared(false, why) && SendKept(outcome, why)) {
        if (FMain.Insert(event, false) ||
            // The server may have restarted since the last event: one fresh connection.
            (ReachShared(true, why) && FMain.Insert(event, false))) {
            outcome.Recorded = true;
            outcome.Number = event.Number;
            return outcome;
        }
        why = FMain.Error();
        FSharedError = why;
        FRetryAt.setRemainingTime(kSharedRetryPauseMs);
    }
    Keep(event, why, outcome);
    return outcome;
}

TRecordOutcome TRegister::SendPending() {
    TRecordOutcome outcome;
    outcome.Where = FLocation.Display();
    outcome.Recorded = true;
    if (!FLocation.Shared())
        return outcome;
    FCheckKept = true;
    QString why;
    if (!ReachShared(true, why) || !SendKept(outcome, why)) {
        outcome.Error = why;
        QString ignored;
        if (OpenLocal(ignored))
            FLocal.UnsentCount(outcome.Waiting);
    }
    return outcome;
}

bool TRegister::ReachShared(bool force, QString& error) {
    if (FMain.IsOpen())
        return true;
    if (!force && !FRetryAt.hasExpired()) {
        error = FSharedError;
        return false;
    }
    if (FMain.Open(FLocation)) {
        FCheckKept = true;
        return true;
    }
    error = FSharedError = FMain.Error();
    FRetryAt.setRemainingTime(kSharedRetryPauseMs);
    return false;
}

bool TRegister::OpenLocal(QString& error) {
    if (FLocal.IsOpen() || FLocal.Open(SqliteLocation(FLocalFile)))
        return true;
    error = FLocal.Error();
    return false;
}

bool TRegister::SendKept(TRecordOutcome& outcome, QString& error) {
    if (!FCheckKept)
        return true;
    // Nothing was ever kept on a computer without a local register.
    if (!FLocal.IsOpen() && !QFileInfo::exists(FLocalFile)) {
        FCheckKept = false;
        return true;
    }
    if (!OpenLocal(error))
        return true; // the shared register is there: record into it all the same
    QMutexLocker lock(&gSendMutex);
    QVector<qint64> numbers;
    do {
        if (!FLocal.Unsent(kSendChunk, numbers)) {
            error = FLocal.Error();
            return true;
        }
        for (qint64 number : numbers) {
            TRegisterEvent event;
            if (!FLocal.Event(number, event, true)) {
                error = FLocal.Error();
                return true;
            }
            bool known = false;
            if (!FMain.Insert(event, false, &known)) {
                error = FSharedError = FMain.Error();
                FRetryAt.setRemainingTime(kSharedRetryPauseMs);
                FLocal.UnsentCount(outcome.Waiting);
                return false;
            }
            if (!known)
                ++outcome.Sent;
            // Sent but not marked: the next run sends it again, which the
            // server ignores by its id.
            FLocal.MarkSent(number);
        }
    } while (!numbers.isEmpty());
    FCheckKept = false;
    outcome.Waiting = 0;
    return true;
}

void TRegister::Keep(TRegisterEvent& event, const QString& why, TRecordOutcome& outcome) {
    outcome.Error = why;
    QString error;
    if (!OpenLocal(error) || !FLocal.Insert(event, true)) {
        if (error.isEmpty())
            error = FLocal.Error();
        outcome.Error = why + QStringLiteral("; ") + error;
        return;
    }
    FCheckKept = true;
    outcome.Recorded = true;
    outcome.Kept = true;
    outcome.Number = event.Number;
    FLocal.UnsentCount(outcome.Waiting);
}
