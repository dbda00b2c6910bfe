#include "CliHost.h"

#include "CliInterrupt.h"
#include "CliLogFile.h"
#include "CliOutput.h"
#include "CliText.h"
#include "link/ComPort.h"
#include "link/DeviceLink.h"

#include <QThread>

TCliHost::TCliHost(const QString& port, TCliLogFile* log, TProgressBoard* board, int boardIndex,
                   int connectTimeoutSec)
    : FPort(port), FLog(log), FBoard(board), FBoardIndex(boardIndex),
      FConnectTimeoutMs(connectTimeoutSec * 1000) {}

void TCliHost::WriteLog(const QString& text, LogKind kind) {
    if (FLog)
        FLog->Write(FPort, text, kind);
    if (kind != lkRead && kind != lkWrite)
        FLastMessage = text;
}

void TCliHost::StartEntryClock() {
    FEntryDeadline.setRemainingTime(FConnectTimeoutMs);
    FEntryClock = true;
    FEntryTimedOut = false;
}

bool TCliHost::Pause(int ms) {
    QDeadlineTimer until(ms);
    while (!until.hasExpired()) {
        if (Interrupted())
            return false;
        QThread::msleep(
            quint32(qMin<qint64>(kWaitSliceMs, qMax<qint64>(1, until.remainingTime()))));
    }
    return !Interrupted();
}

bool TCliHost::WaitForPort(TDeviceLink& link) {
    // Only the entry waits for a port (an adapter plugged in late); a port
    // lost in the middle of a job ends that job.
    if (!FEntryClock)
        return false;
    for (;;) {
        if (FEntryDeadline.hasExpired()) {
            FEntryTimedOut = true;
            return false;
        }
        SetProgress(TCli::tr("ожидание порта"));
        if (!Pause(int(qMin<qint64>(kPortRetryMs, FEntryDeadline.remainingTime()))))
            return false;
        if (link.OpenPort())
            return true;
    }
}

bool TCliHost::RunConnectDialog(TDeviceLink& link) {
    // An entry that nobody timed (command mode lost in the middle of a job)
    // gets the same allowance.
    if (!FEntryClock)
        StartEntryClock();
    for (int attempt = 1;; ++attempt) {
        if (Interrupted())
            return false;
        SetProgress(TCli::tr("вход в командный режим, попытка %1").arg(attempt));
        const TEntryAttempt a = link.TryEnterCommandMode(attempt);
        if (a.Entered) {
            FEntryClock = false;
            return true;
        }
        if (FEntryDeadline.hasExpired()) {
            FEntryTimedOut = true;
            FEntryClock = false;
            return false;
        }
        if (a.PortClosed && !Pause(kEntryClosedPortPauseMs))
            return false;
    }
}

void TCliHost::ShowDeviceError(const QString& text) {
    FDeviceErrors << text;
    WriteLog(text, lkGeneral);
}

QStringList TCliHost::TakeDeviceErrors() {
    QStringList errors;
    errors.swap(FDeviceErrors);
    return errors;
}

void TCliHost::SetProgress(const QString& text) {
    if (FBoard)
        FBoard->Set(FBoardIndex, text);
}
