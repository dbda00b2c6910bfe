#pragma once

#include "CliOutput.h"
#include "CliRegister.h"
#include "DiffOutput.h"
#include "config/ConfigFile.h"
#include "link/LinkSettings.h"
#include "ops/OpsObserver.h"
#include "ops/ResultWords.h" // the result words scripts read (never translated)

#include <QByteArray>
#include <QThread>
#include <functional>

class TCliLogFile;
class TProgressBoard;
class TDeviceLink;
class TCliHost;
class TParamValueTable;
class TPortJob;
class TTrackerRecorder;
struct TCliOptions;
struct TReadResult;

// A port command's work on one tracker, on the job's thread with the link
// set up and the port not yet opened. False when the port failed (the
// reason set by TPortJob::Fail) or was interrupted.
using TPortWork = std::function<bool(TPortJob& job)>;

// What every port job of one run shares (read-only while they run).
struct TJobSetup {
    TPortWork Work;
    const TCliOptions* Options = nullptr;
    TLinkSettings Settings; // Port is replaced by the job's own
    int ConnectTimeoutSec = 30;
    TCliLogFile* Log = nullptr;
    TProgressBoard* Board = nullptr;
    // The configuration file argument's bytes when the command takes one
    // (checked already; every job loads its own table from them, which
    // holds what the file holds).
    QByteArray FileData;
    QString FileName;
    // Where every job records what it does to its tracker.
    TCliRegister Register;
    // Text printed as it comes (status reports).
    std::function<void(const QString& text)> Print;
};

// One tracker on one port, on a thread of its own with its own link and
// value table. The command's work (TPortWork) does the tracker's part with
// the tracker operations (ops/); the job words common results. It stops
// after the exchange under way when Ctrl+C comes and leaves command mode
// where it entered it.
class TPortJob : public QThread {
    Q_OBJECT
public:
    TPortJob(const TJobSetup& setup, const QString& port, int index, QObject* parent = nullptr);

    const TPortResult& Result() const { return FResult; }
    // diff: what differs; write: what the tracker did not take.
    const QVector<TValueDifference>& Differences() const { return FDifferences; }

    // For the work.
    const TJobSetup& Setup() const { return FSetup; }
    const TCliOptions& Options() const { return *FSetup.Options; }
    const QString& Port() const { return FPort; }
    TDeviceLink& Link() { return *FLink; }
    TCliHost& Host() { return *FHost; }
    // The file's values (when the command takes one), else empty.
    TParamValueTable& Values() { return *FValues; }
    TPortResult& Outcome() { return FResult; }
    // The job's recorder; off (no register) with --no-register.
    TTrackerRecorder& Recorder() { return *FRecorder; }
    // Asks the tracker who it is before the first recorded action.
    void Identify(TOpsObserver& observer);
    // What recording did, when worth telling: to the port's log and a note
    // of its result line; the result word stays as the operation left it.
    void Recorded(const QString& message);
    QVector<TValueDifference>& FoundDifferences() { return FDifferences; }
    // Enters command mode; false (the reason set) when it cannot.
    bool Enter();
    // A read that stopped or left commands out: the port's result; false
    // when the job cannot go on.
    bool TakeRead(const TReadResult& read);
    void AddUnsupported(const QString& command);
    bool Fail(const QString& reason);
    // True unless Ctrl+C came (then the result says so).
    bool CheckInterrupt();
    void Note(const QString& text);
    void Progress(const QString& text);

protected:
    void run() override;

private:
    const TJobSetup& FSetup;
    QString FPort;
    int FIndex;
    TPortResult FResult;
    QVector<TValueDifference> FDifferences;
    QStringList FUnsupported;
    QStringList FNotes;
    TDeviceLink* FLink = nullptr;
    TCliHost* FHost = nullptr;
    TParamValueTable* FValues = nullptr;
    TTrackerRecorder* FRecorder = nullptr;
};

// The operations' steps on the port's progress line; Ctrl+C stops them.
class TJobObserver : public TOpsObserver {
public:
    explicit TJobObserver(TCliHost& host) : FHost(host) {}
    void Step(const TOpsStep& step) override;
    bool StopRequested() override;

private:
    TCliHost& FHost;
};

// Messages of saving and loading go to the exchange log of the port.
class TJobConfigReport : public TConfigReport {
public:
    explicit TJobConfigReport(TCliHost& host) : FHost(host) {}
    void Log(const QString& text) override;

private:
    TCliHost& FHost;
};

// "+SIDX 2" for a row of an indexed command, else the command's name.
QString RowName(const TCmdAddress& a);
// A row's name and the parameter's description in quotes.
QString ParameterName(const TCmdAddress& a);
