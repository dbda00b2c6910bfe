#pragma once

#include "CliOutput.h"
#include "ValueDiff.h"
#include "link/LinkSettings.h"

#include <QByteArray>
#include <QThread>
#include <functional>

class TCliLogFile;
class TProgressBoard;
class TDeviceLink;
class TCliHost;
class TParamValueTable;

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
    // its own table from them) and which commands it holds
    QByteArray FileData;
    std::function<bool(int page, int command)> InFile;
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
// value table. It stops after the exchange under way when Ctrl+C comes and
// leaves command mode where it entered it.
class TPortJob : public QThread {
    Q_OBJECT
public:
    TPortJob(const TJobSetup& setup, const QString& port, int index, QObject* parent = nullptr);

    const TPortResult& Result() const { return FResult; }
    const QVector<TValueDifference>& Differences() const { return FDifferences; }

protected:
    void run() override;

private:
    bool Enter();
    bool Read();
    bool Write();
    bool Diff();
    bool Status();
    // One command read into the link's store; false (reason set) when the
    // job cannot go on. unsupported is set when the tracker refused it so.
    bool ReadCommand(int page, int command, bool* unsupported);
    // Every readable command include() picks, with progress; FResult.Commands
    // counts those read (the unsupported too when countUnsupported).
    bool ReadCommands(const std::function<bool(int page, int command)>& include,
                      bool countUnsupported);
    bool Fail(const QString& reason);
    bool CheckInterrupt();
    void Progress(const QString& text);

    const TJobSetup& FSetup;
    QString FPort;
    int FIndex;
    TPortResult FResult;
    QVector<TValueDifference> FDifferences;
    QStringList FUnsupported;
    TDeviceLink* FLink = nullptr;
    TCliHost* FHost = nullptr;
    TParamValueTable* FValues = nullptr;
};
