#pragma once

#include "CliOutput.h"
#include "DiffOutput.h"
#include "link/LinkSettings.h"

#include <QByteArray>
#include <QThread>
#include <functional>

class TCliLogFile;
class TProgressBoard;
class TDeviceLink;
class TCliHost;
class TParamValueTable;
struct TReadResult;
struct TWriteResult;

enum TJobKind { jkRead, jkWrite, jkDiff, jkStatus };

// What every port job of one run shares (read-only while they run).
struct TJobSetup {
    TJobKind Kind = jkRead;
    TLinkSettings Settings; // Port is replaced by the job's own
    int ConnectTimeoutSec = 30;
    TCliLogFile* Log = nullptr;
    TProgressBoard* Board = nullptr;
    // read: the output name pattern
    QString OutPattern;
    // write and diff: the file's bytes (checked already; every job loads
    // its own table from them, which holds what the file holds)
    QByteArray FileData;
    QString FileName;
    bool Store = false;
    bool Verify = true;
    // status
    int Count = 0;
    bool Json = false;
    // status: one decoded report, printed as it comes
    std::function<void(const QString& text)> Print;
};

// One tracker on one port, on a thread of its own with its own link and
// value table. The tracker operations (ops/) do the work; the job words
// their results. It stops after the exchange under way when Ctrl+C comes
// and leaves command mode where it entered it.
class TPortJob : public QThread {
    Q_OBJECT
public:
    TPortJob(const TJobSetup& setup, const QString& port, int index, QObject* parent = nullptr);

    const TPortResult& Result() const { return FResult; }
    // diff: what differs; write: what the tracker did not take.
    const QVector<TValueDifference>& Differences() const { return FDifferences; }

protected:
    void run() override;

private:
    bool Enter();
    bool Read();
    bool Write();
    bool Diff();
    bool Status();
    // A read that stopped or left commands out: the port's result; false
    // when the job cannot go on.
    bool TakeRead(const TReadResult& read);
    bool TakeWrite(const TWriteResult& write);
    bool Fail(const QString& reason);
    bool CheckInterrupt();
    void Note(const QString& text);
    void Progress(const QString& text);

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
};
