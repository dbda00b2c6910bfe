#pragma once

#include "LinkHost.h"
#include "LinkSettings.h"
#include "RepeatedLog.h"
#include "ValueGuard.h"
#include "WriteCheck.h"
#include "base/LogKind.h"
#include "profile/DevCommands.h"

#include <QObject>
#include <QString>
#include <atomic>

class TComPort;
class TParamValues;

struct TExchangeResult {
    QString answer;
    bool failed = false;
    // The operator declined to go on: Cancel in the retry box or in the
    // reconnect wait. Retrying callers stop here.
    bool cancelled = false;
};

// What the tracker said to the last PollCommand or ApplyCommand (its last
// attempt), as the response routine found it. Front ends and operations
// decide from this what was read or taken.
struct TAnswerOutcome {
    bool ExchangeFailed = false; // port failure, short write, or the operator cancelled
    bool Matched = false;        // a line carried the command's response
    bool Unsupported = false;    // "NOT SUPPORTED"
    QString DeviceError;         // the tracker's refusal (password, permission, parameters)
    int ValueLines = 0;          // matching lines read as values
    bool Short = false;          // a value line ended inside a row
    int RowsCarried = 0;         // complete rows in the last value line
    bool Prompt = false;         // the answer ended on the ">" prompt

    // The tracker answered the command for that row without error: a
    // response that carries values carries the whole row.
    bool Confirms(int row = 0) const {
        return !ExchangeFailed && Matched && !Unsupported && DeviceError.isEmpty() && !Short &&
               (ValueLines == 0 || RowsCarried > row);
    }
};

// What an answer to a command outside the profile says (the built-in
// +SAVE line): its response line, an ERROR in it, NOT SUPPORTED, the prompt.
TAnswerOutcome BareAnswerOutcome(const QString& answer, const QString& commandName);

// How a store of the settings in flash went.
enum TFlashStore {
    fsStored,        // the tracker answered +SAVE without error
    fsNotConfirmed,  // silence, NOT SUPPORTED, a refusal or a failed exchange (LastAnswer)
    fsNoCommandMode, // not tried: the port is closed or the tracker not in command mode
};

// The outcome of one command-mode entry attempt.
struct TEntryAttempt {
    bool Entered = false; // the device answered with its prompt (or echo only)
    bool Failed = false;  // the exchange failed (logged)
    // The port is closed after the attempt: a loop should pause before the
    // next one (kEntryClosedPortPauseMs) instead of spinning.
    bool PortClosed = false;
};

// The fixed code that switches the device into command mode.
inline constexpr char kAccessCode[] = "4817263";
// Every this many entry attempts the exit line goes out as well, in case the
// device sits in a half-entered state.
constexpr int kEntryExitLineEvery = 5;
// Pause of an entry loop while the port is unavailable.
constexpr int kEntryClosedPortPauseMs = 500;

// The device protocol over one serial port: command mode, transactions,
// response routines, the page loops and the wire text of a row. Non-visual
// and free of globals that change, so one link per port can run in its own
// thread. It asks its host (TLinkHost) for everything only a front end can
// do and reads and sets values through a TParamValues store.
class TDeviceLink : public QObject {
    Q_OBJECT
public:
    explicit TDeviceLink(QObject* parent = nullptr);
    ~TDeviceLink() override;

    TComPort* ComPort1 = nullptr; // owned
    bool InCommandMode = false;
    // Set by the response routines: the last answer carried the command's
    // response (or NOT SUPPORTED).
    bool AnswerReceived = false;
    // The last poll's or apply's answer.
    TAnswerOutcome LastAnswer;
    // Each write's answer is checked against the values sent; what the
    // tracker did not take is logged and listed here.
    TWriteCheck WriteCheck;

    // Host and value store; nullptr gives a silent host and no values.
    // Neither is owned.
    void SetHost(TLinkHost* host);
    TLinkHost& Host() const { return *FHost; }
    void SetValues(TParamValues* values);
    TParamValues* Values() const { return FValues; }

    // Takes the settings for the next operations; an open port is closed
    // first when the port, speed or framing change.
    void ApplySettings(const TLinkSettings& settings);
    const TLinkSettings& LinkSettings() const { return FSettings; }

    // --- command mode and port ---
    bool OpenPort();
    // Opens the port (waiting through the host if needed) and has the host
    // run the entry loop; true in command mode.
    bool EnterCommandMode();
    // One entry attempt: the access code, and every kEntryExitLineEvery-th
    // attempt (attempt counts from 1) the exit line. Logs as the entry loop does.
    TEntryAttempt TryEnterCommandMode(int attempt);
    void LeaveCommandMode();
    // Writes the profile's command of that name (row 0); false when the
    // profile has none.
    // applied (when given) tells whether the write went through.
    bool ApplyProfileCommand(const QString& name, bool* applied = nullptr);
    // Stores the tracker's settings in its flash (+SAVE); needs command mode.
    // Stored only when the tracker confirmed it; LastAnswer tells what it said.
    TFlashStore StoreToFlash();
    bool WaitForPort();
    void UpdateLinkStatus(); // tells the host
    // With no exchange running: a zero byte finds a vanished device.
    void PortIdleCheck();
    // The status stream of the device: start (no answer awaited) and stop.
    bool StartStatusStream();
    void StopStatusStream();
    // A status line as logged: the echoed start command without its password.
    QString MaskStreamEcho(const QString& line) const;

    // --- transactions ---
    TExchangeResult ExchangeCommand(const QString& command, const QString& logText, bool quiet,
                                    bool noWait, bool addCR);
    // Reads one command (with retries) into the value store.
    bool PollCommand(const TCmdAddress& address);
    // Writes one row (address.Row) of a command from the value store.
    bool ApplyCommand(const TCmdAddress& address);
    void RunPollProcessor(const TCmdAddress& address, const QString& answer);
    void DefaultProcessor(int page, int command, int row, int param, const QString& answer);
    void NonPollProcessor(int page, int command, int row, int param, const QString& answer);
    void ExitCmdProcessor(int page, int command, int row, int param, const QString& answer);
    bool InExchange() const { return FExchangeDepth > 0; }

    // --- page operations (the page buttons) ---
    // "Получить" of one command (enters command mode when needed).
    bool PollOne(const TCmdAddress& address);
    // "Применить" of one row.
    bool ApplyOne(const TCmdAddress& address);
    // Every readable, usable command of a page; false when one failed.
    bool PollPage(int page);
    // Every row of an indexed command.
    bool ApplyAllIndexed(int page, int command);
    // Every writable, usable row of a page ("Применить страницу").
    bool ApplyPage(int page);

    // The wire text of a row's values, as ApplyCommand sends it. unsafe,
    // when given, receives the first parameter whose value cannot go on the
    // line as it is (control character, comma, quote).
    QString BuildParameterList(int page, int command, int row,
                               TUnsafeValue* unsafe = nullptr) const;
    // The password a command of that mode is sent with ("" when none is set).
    QString PasswordFor(TPasswordMode mode) const;

    void WriteLog(const QString& text, LogKind kind) { FHost->WriteLog(text, kind); }

private:
    bool RunWithRetries(const TCmdAddress& address, const QString& request, const QString& logText);
    void ProcessAnswer(int page, int command, const QString& answer, bool readValues);
    // Exit line with the active password (as the entry loop and leaving send it).
    TExchangeResult SendExitLine(bool quiet, bool noWait);

    TLinkSettings FSettings;
    TNullLinkHost FNullHost;
    TLinkHost* FHost = &FNullHost;
    TParamValues* FValues = nullptr;
    int FExchangeDepth = 0;
    // While one row of an indexed command is written, the answer (which
    // carries every row) may refresh that row only.
    int FAnswerRowOnly = -1;
    // The entry loop retries a missing port every few hundred milliseconds:
    // one failure line, then a count once the port opens or the text changes.
    TRepeatedLog FOpenFailureLog{[this](const QString& text) { WriteLog(text, lkGeneral); }};
    friend class TExchangeGuard;
};

// Parameters a write of the row sends: every one that is not optional and
// every optional one switched on. A gsAuto row without any is not sent.
int SentParameterCount(const TParamValues& values, const TCmdAddress& row);

// The entry loop without a dialog, for hosts that run unattended: attempts
// until one succeeds, timeoutMs pass or *cancel turns true (checked between
// attempts), pausing while the port is closed. Progress goes to the host as
// the dialog shows it. True in command mode (InCommandMode is the caller's).
bool RunUnattendedEntry(TDeviceLink& link, int timeoutMs, const std::atomic_bool* cancel = nullptr);

// Points a link at another value store for one scope and puts the previous
// one back on leaving it (reading the tracker into a separate table).
class TLinkValuesScope {
public:
    TLinkValuesScope(TDeviceLink& link, TParamValues* values)
        : FLink(link), FPrevious(link.Values()) {
        FLink.SetValues(values);
    }
    ~TLinkValuesScope() { FLink.SetValues(FPrevious); }
    TLinkValuesScope(const TLinkValuesScope&) = delete;
    TLinkValuesScope& operator=(const TLinkValuesScope&) = delete;

private:
    TDeviceLink& FLink;
    TParamValues* FPrevious;
};
