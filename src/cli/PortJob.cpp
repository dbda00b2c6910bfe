#include "PortJob.h"

#include "CliHost.h"
#include "CliInterrupt.h"
#include "CliLogFile.h"
#include "CliOptions.h"
#include "StatusOutput.h"
#include "config/ConfigFile.h"
#include "config/ParamValueTable.h"
#include "link/ComDataPacket.h"
#include "link/ComPort.h"
#include "link/DeviceLink.h"
#include "status/StatusParser.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

namespace {

// Status stream: bytes asked for per read and the longest a read waits, so
// that Ctrl+C and the report count are looked at often.
constexpr int kStatusReadBytes = 256;
constexpr int kStatusReadSliceMs = 200;

const QString kResultOk = QStringLiteral("ok");
const QString kResultFailed = QStringLiteral("failed");
const QString kResultDiffers = QStringLiteral("differs");
const QString kResultInterrupted = QStringLiteral("interrupted");

// Messages of saving and loading go to the exchange log of the port.
class TJobConfigReport : public TConfigReport {
public:
    explicit TJobConfigReport(TCliHost& host) : FHost(host) {}
    void Log(const QString& text) override { FHost.WriteLog(text, lkGeneral); }

private:
    TCliHost& FHost;
};

QString WindowText(const char* text) {
    return QCoreApplication::translate("TfmMain", text);
}

QString RowName(const TDevCommand& cmd, int row) {
    return cmd.Indexed ? cmd.CommandName + QStringLiteral(" #") + QString::number(row + 1)
                       : cmd.CommandName;
}

// Parameters of a row that a write sends (optional ones only when on).
int SentParameters(const TParamValues& values, int page, int command, int row) {
    const TDevCommand& cmd = DevCommands[page].Commands[command];
    int sent = 0;
    for (int p = 0; p < cmd.Parameters.size(); ++p)
        if (!cmd.Parameters[p].Optional ||
            values.ParameterEnabled(TCmdAddress{page, command, row, p}))
            ++sent;
    return sent;
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
    if (ok && FResult.Result != kResultDiffers)
        FResult.Result = kResultOk;
    if (!FUnsupported.isEmpty()) {
        const QString note =
            QStringLiteral("not supported by the tracker: ") + FUnsupported.join(QLatin1Char(' '));
        FResult.Reason =
            FResult.Reason.isEmpty() ? note : FResult.Reason + QStringLiteral("; ") + note;
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

bool TPortJob::ReadCommand(int page, int command, bool* unsupported) {
    const TDevCommand& cmd = DevCommands[page].Commands[command];
    *unsupported = false;
    FHost->TakeDeviceErrors();
    const bool ok = FLink->PollCommand(TCmdAddress{page, command, 0, 0});
    if (!ok) {
        Fail(QStringLiteral("reading %1 failed: %2").arg(cmd.CommandName, FHost->LastMessage()));
        // The window's words, so that both logs read alike.
        FLink->WriteLog(WindowText("Процесс прерван на команде") + QLatin1Char(' ') +
                            cmd.CommandName,
                        lkGeneral);
        return false;
    }
    if (!FLink->Values()->CommandUsable(page, command)) {
        *unsupported = true;
        if (!FUnsupported.contains(cmd.CommandName))
            FUnsupported << cmd.CommandName;
        return true;
    }
    const QStringList errors = FHost->TakeDeviceErrors();
    if (!errors.isEmpty())
        return Fail(
            QStringLiteral("the tracker refused %1: %2").arg(cmd.CommandName, errors.first()));
    if (!FLink->AnswerReceived)
        return Fail(QStringLiteral("no answer to %1").arg(cmd.CommandName));
    return true;
}

bool TPortJob::ReadCommands(const std::function<bool(int page, int command)>& include,
                            bool countUnsupported) {
    int total = 0;
    for (int page = 0; page < DevCommands.size(); ++page)
        for (int c = 0; c < DevCommands[page].Commands.size(); ++c)
            total += DevCommands[page].Commands[c].PollData && include(page, c) ? 1 : 0;
    for (int page = 0; page < DevCommands.size(); ++page) {
        const QVector<TDevCommand>& commands = DevCommands[page].Commands;
        for (int c = 0; c < commands.size(); ++c) {
            if (!commands[c].PollData || !include(page, c))
                continue;
            if (!CheckInterrupt())
                return false;
            Progress(QStringLiteral("reading %1/%2 %3")
                         .arg(FResult.Commands + 1)
                         .arg(total)
                         .arg(commands[c].CommandName));
            bool unsupported = false;
            if (!ReadCommand(page, c, &unsupported))
                return false;
            if (countUnsupported || !unsupported)
                ++FResult.Commands;
        }
    }
    return true;
}

bool TPortJob::Read() {
    FResult.File = OutputFileFor(FSetup.OutPattern, FPort);
    if (!Enter())
        return false;
    // An unsupported command is not counted as read.
    if (!ReadCommands([this](int page, int c) { return FValues->CommandUsable(page, c); }, false))
        return false;
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
    struct TSent {
        TCmdAddress At;
        QString Value;
    };
    QVector<TSent> sent; // what each written row carried, for the read-back
    QVector<QPair<int, int>> written;
    int total = 0;
    for (int page = 0; page < DevCommands.size(); ++page)
        for (int c = 0; c < DevCommands[page].Commands.size(); ++c)
            total += FSetup.InFile(page, c) && DevCommands[page].Commands[c].SetData ? 1 : 0;

    // The rows a page write sends, page by page; only the commands the file
    // holds (the others would go out with profile defaults).
    for (int page = 0; page < DevCommands.size(); ++page) {
        const QVector<TDevCommand>& commands = DevCommands[page].Commands;
        for (int c = 0; c < commands.size(); ++c) {
            const TDevCommand& cmd = commands[c];
            if (!FSetup.InFile(page, c) || !cmd.SetData || cmd.GroupSetData == gsNo ||
                !FValues->CommandUsable(page, c))
                continue;
            bool any = false;
            for (int r = 0; r < cmd.RowCount(); ++r) {
                if (cmd.GroupSetData == gsAuto && SentParameters(*FValues, page, c, r) == 0)
                    continue;
                if (!CheckInterrupt())
                    return false;
                Progress(QStringLiteral("writing %1/%2 %3")
                             .arg(written.size() + 1)
                             .arg(total)
                             .arg(RowName(cmd, r)));
                QVector<TSent> row;
                for (int p = 0; p < cmd.Parameters.size(); ++p) {
                    const TCmdAddress at{page, c, r, p};
                    if (!cmd.Parameters[p].Optional || FValues->ParameterEnabled(at))
                        row.append({at, FValues->WireText(at)});
                }
                FHost->TakeDeviceErrors();
                if (!FLink->ApplyCommand(TCmdAddress{page, c, r, 0})) {
                    Fail(QStringLiteral("writing %1 failed: %2")
                             .arg(RowName(cmd, r), FHost->LastMessage()));
                    FLink->WriteLog(WindowText("Процесс прерван на команде") + QLatin1Char(' ') +
                                        cmd.CommandName + QLatin1Char('/') + QString::number(r),
                                    lkGeneral);
                    return false;
                }
                if (!FValues->CommandUsable(page, c)) {
                    FUnsupported << cmd.CommandName;
                    break;
                }
                const QStringList errors = FHost->TakeDeviceErrors();
                if (!errors.isEmpty())
                    return Fail(QStringLiteral("the tracker refused %1: %2")
                                    .arg(RowName(cmd, r), errors.first()));
                if (!FLink->AnswerReceived)
                    return Fail(QStringLiteral("no answer to %1").arg(RowName(cmd, r)));
                sent += row;
                any = true;
            }
            if (any) {
                written.append({page, c});
                ++FResult.Commands;
            }
        }
    }

    if (FSetup.Verify) {
        TParamValueTable readBack;
        TLinkValuesScope scope(*FLink, &readBack);
        int checked = 0;
        for (const auto& pc : written) {
            const TDevCommand& cmd = DevCommands[pc.first].Commands[pc.second];
            if (!cmd.PollData)
                continue; // a write-only command cannot be read back
            if (!CheckInterrupt())
                return false;
            Progress(QStringLiteral("verifying %1/%2 %3")
                         .arg(++checked)
                         .arg(written.size())
                         .arg(cmd.CommandName));
            bool unsupported = false;
            if (!ReadCommand(pc.first, pc.second, &unsupported))
                return false;
        }
        for (const TSent& s : sent) {
            const TDevCommand& cmd = DevCommands[s.At.Page].Commands[s.At.Command];
            const TCmdParameter& p = cmd.Parameters[s.At.Param];
            if (!cmd.PollData || !p.Overwrite || !readBack.CommandUsable(s.At.Page, s.At.Command))
                continue;
            const QString now = readBack.WireText(s.At);
            if (now == s.Value)
                continue;
            const TValueDifference d{cmd.CommandName, s.At.Row, s.At.Param,
                                     p.Description,   s.Value,  now};
            FDifferences.append(d);
            FLink->WriteLog(
                QStringLiteral("Read back differs: ") +
                    DifferenceLine(d, QStringLiteral("sent"), QStringLiteral("tracker")),
                lkGeneral);
        }
        FResult.Mismatches = int(FDifferences.size());
        if (!FDifferences.isEmpty()) {
            FResult.Result = kResultDiffers;
            FResult.Reason = QStringLiteral("read back differs: ") +
                             DifferenceLine(FDifferences.first(), QStringLiteral("sent"),
                                            QStringLiteral("tracker"));
            if (FSetup.Store)
                FResult.Reason += QStringLiteral("; not stored in flash");
            return true;
        }
    }

    if (FSetup.Store) {
        if (!CheckInterrupt())
            return false;
        Progress(QStringLiteral("storing in flash"));
        FHost->TakeDeviceErrors();
        if (!FLink->StoreToFlash())
            return Fail(QStringLiteral("storing in flash failed: ") + FHost->LastMessage());
        const QStringList errors = FHost->TakeDeviceErrors();
        if (!errors.isEmpty())
            return Fail(QStringLiteral("the tracker refused to store: ") + errors.first());
    }
    return true;
}

bool TPortJob::Diff() {
    FResult.File = FSetup.FileName;
    if (!Enter())
        return false;
    TParamValueTable tracker;
    {
        TLinkValuesScope scope(*FLink, &tracker);
        if (!ReadCommands([this](int page, int c) { return FSetup.InFile(page, c); }, true))
            return false;
    }
    TCompareRules rules;
    rules.SkipNotOverwritten = true;
    rules.Include = [&](int page, int command) {
        return FSetup.InFile(page, command) && DevCommands[page].Commands[command].PollData &&
               tracker.CommandUsable(page, command);
    };
    FDifferences = CompareValues(*FValues, tracker, rules);
    FResult.Mismatches = int(FDifferences.size());
    if (!FDifferences.isEmpty()) {
        FResult.Result = kResultDiffers;
        FResult.Reason = QStringLiteral("%1 values differ").arg(FDifferences.size());
    }
    return true;
}

bool TPortJob::Status() {
    if (!Enter())
        return false;
    if (!FLink->StartStatusStream())
        return Fail(QStringLiteral("cannot start the status stream: ") + FHost->LastMessage());
    const TStatusTexts texts = LoadStatusTexts();
    TStatusFields fields;
    TComDataPacket framer;
    framer.SetStopString(QStringLiteral("\r"));
    framer.OnPacket = [&](const QString& line) {
        FLink->WriteLog(FLink->MaskStreamEcho(line), lkRead);
        const TStatusChange change = ParseStatusReport(TrimStatusLine(line), texts, fields);
        // A chunk may carry more reports than are still wanted.
        if (change.Report.isEmpty() || (FSetup.Count > 0 && FResult.Commands >= FSetup.Count))
            return;
        ++FResult.Commands;
        if (FSetup.Print)
            FSetup.Print(FSetup.Json
                             ? QString::fromUtf8(JsonLine(StatusReportJson(FPort, change, fields)))
                             : StatusReportText(FPort, change, fields));
    };
    TComPort* port = FLink->ComPort1;
    bool lost = false;
    QString lostReason;
    while (FSetup.Count <= 0 || FResult.Commands < FSetup.Count) {
        if (Interrupted())
            break;
        Progress(QStringLiteral("streaming, %1 reports").arg(FResult.Commands));
        try {
            port->SetReadTotalConstant(kStatusReadSliceMs);
            const QByteArray bytes = port->ReadBytes(kStatusReadBytes);
            if (!bytes.isEmpty())
                framer.HandleChunk(bytes);
        } catch (const EComPort& e) {
            lost = true;
            lostReason = e.Message();
            break;
        }
    }
    if (lost) {
        FLink->WriteLog(WindowText("Ошибка чтения, исключение=") + lostReason, lkReadError);
        FLink->InCommandMode = false;
        try {
            port->Close();
        } catch (const std::exception&) {
        }
        return Fail(QStringLiteral("the port failed while streaming: ") + lostReason);
    }
    port->SetReadTotalConstant(quint32(FLink->LinkSettings().Timeout));
    Progress(QStringLiteral("stopping the stream"));
    FLink->StopStatusStream();
    // Whoever read the reports has seen enough: a normal end.
    return OutputClosed() || CheckInterrupt();
}
