#include "PortJob.h"

#include "CliHost.h"
#include "CliInterrupt.h"
#include "CliLogFile.h"
#include "CliOptions.h"
#include "StatusOutput.h"
#include "config/ConfigFile.h"
#include "config/ParamValueTable.h"
#include "link/ComPort.h"
#include "link/DeviceLink.h"
#include "ops/CommandRead.h"
#include "ops/ResultWords.h"
#include "ops/TrackerWrite.h"
#include "profile/HeldValues.h"
#include "profile/WireValue.h"
#include "status/StatusSession.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

namespace {

// The longest the status stream is read at once, so that Ctrl+C and the
// report count are looked at often.
constexpr int kStatusPumpSliceMs = 200;

// Messages of saving and loading go to the exchange log of the port.
class TJobConfigReport : public TConfigReport {
public:
    explicit TJobConfigReport(TCliHost& host) : FHost(host) {}
    void Log(const QString& text) override { FHost.WriteLog(text, lkGeneral); }

private:
    TCliHost& FHost;
};

QString RowName(const TCmdAddress& a) {
    const TDevCommand* cmd = ProfileCommand(a);
    if (!cmd)
        return QString();
    return cmd->Indexed ? cmd->CommandName + QLatin1Char(' ') + RowCaption(*cmd, a.Row)
                        : cmd->CommandName;
}

QString ParameterName(const TCmdAddress& a) {
    const TCmdParameter* param = ProfileParameter(a);
    return RowName(a) + QStringLiteral(" \"") + (param ? param->Description : QString()) +
           QLatin1Char('"');
}

// The operations' steps on the port's progress line; Ctrl+C stops them.
class TJobObserver : public TOpsObserver {
public:
    explicit TJobObserver(TCliHost& host) : FHost(host) {}
    void Step(const TOpsStep& step) override {
        static const char* const kWords[] = {"reading", "writing", "verifying", "storing in flash",
                                             "streaming"};
        QString text = QString::fromLatin1(kWords[step.Phase]);
        if (step.Phase <= opVerifying)
            text += QStringLiteral(" %1/%2 %3")
                        .arg(step.Done + 1)
                        .arg(step.Total)
                        .arg(RowName(step.At));
        FHost.SetProgress(text);
    }
    bool StopRequested() override { return Interrupted(); }

private:
    TCliHost& FHost;
};

// How bad a result word is: a worse one replaces a milder one.
int Severity(const QString& result) {
    if (result == kResultDiffers)
        return 3;
    if (result == kResultPartial)
        return 2;
    if (result == kResultNotStored)
        return 1;
    return 0;
}

QString WhyIncomplete(const TCommandRead& read) {
    switch (read.Why) {
    case iwNoAnswer:
        return QStringLiteral("no answer");
    case iwShort:
        return QStringLiteral("short answer");
    case iwUnreadable:
        return QStringLiteral("%1 not understood").arg(ParameterName(read.Missing));
    case iwNone:
        break;
    }
    return QStringLiteral("refused: ") + read.Refusal;
}

// What the tracker said to a store it did not confirm.
QString WhyNotStored(const TAnswerOutcome& answer) {
    if (answer.ExchangeFailed)
        return QStringLiteral("the exchange failed");
    if (answer.Unsupported)
        return QStringLiteral("the tracker answered NOT SUPPORTED");
    if (!answer.DeviceError.isEmpty())
        return QStringLiteral("the tracker refused: ") + answer.DeviceError;
    return QStringLiteral("no answer from the tracker");
}

} // namespace

TPortJob::TPortJob(const TJobSetup& setup, const QString& port, int index, QObject* parent)
    : QThread(parent), FSetup(setup), FPort(port), FIndex(index) {
    FResult.Port = port;
}

void TPortJob::Progress(const QString& text) {
    FHost->SetProgress(text);
}

bool TPortJob::Fail(const QString& reason) {
    FResult.Result = kResultFailed;
    FResult.Reason = reason;
    return false;
}

void TPortJob::Note(const QString& text) {
    FNotes << text;
}

bool TPortJob::CheckInterrupt() {
    if (!Interrupted())
        return true;
    FResult.Result = kResultInterrupted;
    FResult.Reason = QStringLiteral("interrupted");
    return false;
}

void TPortJob::run() {
    QElapsedTimer clock;
    clock.start();
    // Everything that touches the port lives on this thread.
    TDeviceLink link;
    TCliHost host(FPort, FSetup.Log, FSetup.Board, FIndex, FSetup.ConnectTimeoutSec);
    TParamValueTable values;
    if (!FSetup.FileName.isEmpty()) {
        QBuffer file;
        file.setData(FSetup.FileData);
        file.open(QIODevice::ReadOnly);
        TJobConfigReport report(host);
        LoadConfiguration(file, values, report);
    }
    link.SetHost(&host);
    link.SetValues(&values);
    TLinkSettings settings = FSetup.Settings;
    settings.Port = FPort;
    link.ApplySettings(settings);
    FLink = &link;
    FHost = &host;
    FValues = &values;

    bool ok = false;
    try {
        switch (FSetup.Kind) {
        case jkRead:
            ok = Read();
            break;
        case jkWrite:
            ok = Write();
            break;
        case jkDiff:
            ok = Diff();
            break;
        case jkStatus:
            ok = Status();
            break;
        }
    } catch (const std::exception& e) {
        ok = Fail(QString::fromLocal8Bit(e.what()));
    }
    if (ok)
        FResult.Result = Severity(FResult.Result) > 0 ? FResult.Result : kResultOk;
    if (!FUnsupported.isEmpty())
        FNotes << QStringLiteral("not supported by the tracker: ") +
                      FUnsupported.join(QLatin1Char(' '));
    if (!FNotes.isEmpty()) {
        QStringList parts;
        if (!FResult.Reason.isEmpty())
            parts << FResult.Reason;
        FResult.Reason = (parts + FNotes).join(QStringLiteral("; "));
    }
    // Leave command mode where this job entered it, also after Ctrl+C.
    try {
        if (link.InCommandMode && link.ComPort1->Connected()) {
            Progress(QStringLiteral("leaving command mode"));
            link.LeaveCommandMode();
        }
    } catch (const std::exception&) {
        // The port went away; there is no command mode left to leave.
    }
    Progress(FResult.Result);
    FResult.Seconds = clock.elapsed() / 1000.0;
    FLink = nullptr;
    FHost = nullptr;
    FValues = nullptr;
}

bool TPortJob::Enter() {
    if (!CheckInterrupt())
        return false;
    FHost->StartEntryClock();
    const bool entered = FLink->EnterCommandMode();
    FHost->StopEntryClock();
    if (entered)
        return true;
    if (!CheckInterrupt())
        return false;
    if (FHost->EntryTimedOut() && !FLink->ComPort1->Connected())
        return Fail(QStringLiteral("the port did not open within %1 s: %2")
                        .arg(FSetup.ConnectTimeoutSec)
                        .arg(FHost->LastMessage()));
    if (FHost->EntryTimedOut())
        return Fail(QStringLiteral("no command mode after %1 s (silent tracker or wrong port)")
                        .arg(FSetup.ConnectTimeoutSec));
    return Fail(FHost->LastMessage().isEmpty() ? QStringLiteral("cannot enter command mode")
                                               : FHost->LastMessage());
}

bool TPortJob::TakeRead(const TReadResult& read) {
    QStringList incomplete;
    for (const TCommandRead& c : read.Commands) {
        const QString name = RowName(c.Command);
        switch (c.State) {
        case rsRead:
            break;
        case rsUnsupported:
            if (!FUnsupported.contains(name))
                FUnsupported << name;
            break;
        case rsIncomplete:
        case rsRefused:
            incomplete << name + QStringLiteral(" (") + WhyIncomplete(c) + QLatin1Char(')');
            break;
        case rsFailed:
            return Fail(QStringLiteral("reading %1 failed: %2").arg(name, FHost->LastMessage()));
        }
    }
    if (read.Interrupted)
        return CheckInterrupt();
    if (!incomplete.isEmpty()) {
        FResult.Result = kResultPartial;
        Note(QStringLiteral("incomplete: ") + incomplete.join(QStringLiteral(", ")));
    }
    return true;
}

bool TPortJob::Read() {
    FResult.File = OutputFileFor(FSetup.OutPattern, FPort);
    if (!Enter())
        return false;
    TJobObserver observer(*FHost);
    const TReadResult read = ReadCommands(*FLink, *FValues, ReadableCommands({}), observer);
    FResult.Commands = read.Count(rsRead);
    if (!TakeRead(read))
        return false;
    // Only what the tracker sent goes into the file, and the values the
    // program keeps of its own, as the window saves them.
    HoldProgramValues(*FValues, read);
    Progress(QStringLiteral("saving ") + FResult.File);
    const QFileInfo out(FResult.File);
    if (!QDir().mkpath(out.absolutePath()))
        return Fail(QStringLiteral("cannot create the folder %1").arg(out.absolutePath()));
    TJobConfigReport report(*FHost);
    const TConfigFileResult saved = SaveConfigurationFile(*FValues, FResult.File, report);
    if (!saved.Ok())
        return Fail(QStringLiteral("cannot write %1: %2").arg(FResult.File, saved.Error));
    return true;
}

bool TPortJob::Write() {
    FResult.File = FSetup.FileName;
    if (!Enter())
        return false;
    TJobObserver observer(*FHost);
    TWriteOptions options;
    options.Verify = FSetup.Verify;
    options.Store = FSetup.Store;
    return TakeWrite(WriteValues(*FLink, *FValues, options, observer));
}

bool TPortJob::TakeWrite(const TWriteResult& w) {
    FResult.Commands = w.CommandsWritten;
    for (const TCmdAddress& c : w.Unsupported)
        FUnsupported << RowName(c);
    for (const TNotTaken& m : w.Mismatches)
        FDifferences.append(DifferenceOf(m));
    FResult.Mismatches = int(w.Mismatches.size());
    if (w.Interrupted)
        return CheckInterrupt();
    const QString nothing = QStringLiteral("; nothing was written");
    switch (w.Failure) {
    case wfNone:
        break;
    case wfReadFailed:
        return Fail(
            QStringLiteral("reading %1 failed: %2").arg(RowName(w.At), FHost->LastMessage()));
    case wfNoValue:
        return Fail(QStringLiteral("%1 has a value neither in the file nor in the tracker")
                        .arg(ParameterName(w.At)) +
                    nothing);
    case wfUnreadRow:
        return Fail(QStringLiteral("the tracker did not give %1 whole and the file does not "
                                   "hold the whole row")
                        .arg(RowName(w.At)) +
                    nothing);
    case wfUnsafeValue:
        return Fail(QStringLiteral("%1 holds %2")
                        .arg(ParameterName(w.At), w.Unsafe == ukSeparator
                                                      ? QStringLiteral("a comma or a double quote")
                                                      : QStringLiteral("a control character")) +
                    nothing);
    case wfNoPassword:
        return Fail(QStringLiteral("no password for %1").arg(RowName(w.At)) + nothing);
    case wfExchange:
        return Fail(
            QStringLiteral("writing %1 failed: %2").arg(RowName(w.At), FHost->LastMessage()));
    case wfRefused:
        return Fail(QStringLiteral("the tracker refused %1: %2").arg(RowName(w.At), w.Refusal));
    case wfNotConfirmed:
        return Fail(QStringLiteral("the tracker did not confirm %1").arg(RowName(w.At)));
    }
    if (!w.Mismatches.isEmpty()) {
        FResult.Result = kResultDiffers;
        Note(QStringLiteral("not taken: ") + DifferenceLine(FDifferences.first(),
                                                            QStringLiteral("sent"),
                                                            QStringLiteral("tracker")));
    } else if (!w.Unverified.isEmpty()) {
        FResult.Result = kResultPartial;
        Note(QStringLiteral("not read back: ") + ParameterName(w.Unverified.first()));
    }
    if (FSetup.Store && !w.StoreTried) {
        Note(QStringLiteral("not stored in flash"));
    } else if (w.StoreTried && w.Store != fsStored) {
        FResult.Result = kResultNotStored;
        Note(QStringLiteral("not stored in flash: ") + WhyNotStored(w.StoreAnswer));
    }
    return true;
}

bool TPortJob::Diff() {
    FResult.File = FSetup.FileName;
    if (!Enter())
        return false;
    TJobObserver observer(*FHost);
    TParamValueTable tracker;
    const TReadResult read = ReadCommands(
        *FLink, tracker,
        ReadableCommands([this](int page, int c) { return HoldsCommand(*FValues, page, c); }),
        observer);
    FResult.Commands = read.Count(rsRead) + read.Count(rsUnsupported);
    if (!TakeRead(read))
        return false;
    // The one comparison the window uses: what both hold, by the
    // wire-equivalence rule.
    const TValueDiff diff = CompareValues(*FValues, tracker, dsIgnore);
    for (const TValueDiffRow& row : diff.Rows)
        FDifferences.append(DifferenceOf(row));
    FResult.Mismatches = int(FDifferences.size());
    if (!FDifferences.isEmpty()) {
        FResult.Result = kResultDiffers;
        Note(QStringLiteral("%1 values differ").arg(FDifferences.size()));
    }
    return true;
}

bool TPortJob::Status() {
    if (!Enter())
        return false;
    TStatusSession session(FLink, TStatusSession::srPump);
    session.OnReport = [this](const TStatusChange& change, const TStatusFields& fields) {
        // A chunk may carry more reports than are still wanted.
        if (FSetup.Count > 0 && FResult.Commands >= FSetup.Count)
            return;
        ++FResult.Commands;
        if (FSetup.Print)
            FSetup.Print(FSetup.Json
                             ? QString::fromUtf8(JsonLine(StatusReportJson(FPort, change, fields)))
                             : StatusReportText(FPort, change, fields));
    };
    if (!session.Start())
        return Fail(QStringLiteral("cannot start the status stream: ") + FHost->LastMessage());
    while (FSetup.Count <= 0 || FResult.Commands < FSetup.Count) {
        if (Interrupted())
            break;
        Progress(QStringLiteral("streaming, %1 reports").arg(FResult.Commands));
        if (!session.Pump(kStatusPumpSliceMs))
            return Fail(QStringLiteral("the port failed while streaming: ") + session.Failure());
    }
    Progress(QStringLiteral("stopping the stream"));
    session.Stop();
    // Whoever read the reports has seen enough: a normal end.
    return OutputClosed() || CheckInterrupt();
}
