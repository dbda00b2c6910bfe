#pragma once

#include "link/LinkHost.h"

#include <QDeadlineTimer>
#include <QString>
#include <QStringList>

class TCliLogFile;
class TProgressBoard;

// Pause between two attempts to open a port that would not open.
constexpr int kPortRetryMs = 1000;
// Slice of the interruptible waits.
constexpr int kWaitSliceMs = 50;

// The link's host for one port of a batch: logs to the shared log file,
// answers every question by itself, and runs the command-mode entry as an
// unattended loop that gives up after the connect time-out or on Ctrl+C.
class TCliHost : public TNullLinkHost {
public:
    TCliHost(const QString& port, TCliLogFile* log, TProgressBoard* board, int boardIndex,
             int connectTimeoutSec);

    void WriteLog(const QString& text, LogKind kind) override;
    bool WaitForPort(TDeviceLink& link) override;
    bool RunConnectDialog(TDeviceLink& link) override;
    void ShowDeviceError(const QString& text) override;
    // No retry is asked for, and the job reports its own progress: the page
    // loops' counters are not used.

    // The next entry (and the port waits inside it) may take this long.
    void StartEntryClock();
    void StopEntryClock() { FEntryClock = false; }
    bool EntryTimedOut() const { return FEntryTimedOut; }
    void SetProgress(const QString& text);

    // The tracker's refusals since the last call.
    QStringList TakeDeviceErrors();
    // The last message of the link (a reason when an operation fails).
    QString LastMessage() const { return FLastMessage; }

    // Waits ms, returning early (false) on Ctrl+C.
    static bool Pause(int ms);

private:
    QString FPort;
    TCliLogFile* FLog;
    TProgressBoard* FBoard;
    int FBoardIndex;
    int FConnectTimeoutMs;
    QDeadlineTimer FEntryDeadline;
    bool FEntryClock = false;
    bool FEntryTimedOut = false;
    QStringList FDeviceErrors;
    QString FLastMessage;
};
