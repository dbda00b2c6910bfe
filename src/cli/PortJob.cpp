#include "PortJob.h"

#include "CliHost.h"
#include "CliInterrupt.h"
#include "CliText.h"
#include "config/ConfigFile.h"
#include "config/ParamValueTable.h"
#include "link/ComPort.h"
#include "link/DeviceLink.h"
#include "ops/CommandRead.h"
#include "ops/ResultWords.h"
#include "profile/WireValue.h"
#include "register/Register.h"
#include "register/TrackerRecorder.h"

#include <QBuffer>
#include <QElapsedTimer>

namespace {

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
        return TCli::tr("нет ответа");
    case iwShort:
        return TCli::tr("короткий ответ");
    case iwUnreadable:
        return TCli::tr("%1 не распознан").arg(ParameterName(read.Missing));
    case iwNone:
        break;
    }
    return TCli::tr("отказ: ") + read.Refusal;
}

} // namespace

QString RowName(const TCmdAddress& a) {
    const TDevCommand* cmd = CommandAt(a);
    if (!cmd)
        return QString();
    return cmd->Indexed ? cmd->CommandName + QLatin1Char(' ') + RowCaption(*cmd, a.Row)
                        : cmd->CommandName;
}

QString ParameterName(const TCmdAddress& a) {
    const TCmdParameter* param = RowParameterAt(a);
    return RowName(a) + QStringLiteral(" \"") + (param ? param->Description : QString()) +
           QLatin1Char('"');
}

void TJobObserver::Step(const TOpsStep& step) {
    static const char* const kWords[] = {
        QT_TRANSLATE_NOOP("TCli", "чтение"), QT_TRANSLATE_NOOP("TCli", "запись"),
        QT_TRANSLATE_NOOP("TCli", "проверка"), QT_TRANSLATE_NOOP("TCli", "сохранение во флеш"),
        QT_TRANSLATE_NOOP("TCli", "поток")};
    QString text = CliText(kWords[step.Phase]);
    if (step.Phase <= opVerifying)
        text +=
            QStringLiteral(" %1/%2 %3").arg(step.Done + 1).arg(step.Total).arg(RowName(step.At));
    FHost.SetProgress(text);
}

void TJobConfigReport::Log(const QString& text) {
    FHost.WriteLog(text, lkGeneral);
}

bool TJobObserver::StopRequested() {
    return Interrupted();
}

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

void TPortJob::Identify(TOpsObserver& observer) {
    FRecorder->Identify(*FLink, observer);
}

void TPortJob::Recorded(const QString& message) {
    if (message.isEmpty())
        return;
    FHost->WriteLog(message, lkGeneral);
    Note(message);
}

void TPortJob::AddUnsupported(const QString& command) {
    if (!FUnsupported.contains(command))
        FUnsupported << command;
}

bool TPortJob::CheckInterrupt() {
    if (!Interrupted())
        return true;
    FResult.Result = kResultInterrupted;
    FResult.Reason = TCli::tr("прервано");
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
    // The register's connection belongs to this thread.
    const std::unique_ptr<TRegister> reg =
        FSetup.Register.Record ? FSetup.Register.Open() : nullptr;
    TTrackerRecorder recorder(reg.get(), FSetup.Register.IdentityTimeoutMs);
    FRecorder = &recorder;
    FLink = &link;
    FHost = &host;
    FValues = &values;

    bool ok = false;
    try {
        ok = FSetup.Work(*this);
    } catch (const std::exception& e) {
        ok = Fail(QString::fromLocal8Bit(e.what()));
    }
    if (ok)
        FResult.Result = Severity(FResult.Result) > 0 ? FResult.Result : kResultOk;
    // Leave command mode where this job entered it, also after Ctrl+C.
    try {
        if (link.InCommandMode && link.ComPort1->Connected()) {
            Progress(TCli::tr("выход из командного режима"));
            link.LeaveCommandMode();
            // Without a password the exit is never sent: the next run would
            // find the tracker still in command mode and not get in.
            if (link.InCommandMode)
                FNotes << TCli::tr("трекер остался в командном режиме: для выхода нужен пароль "
                                   "(--password или --master)");
        }
    } catch (const std::exception&) {
        // The port went away; there is no command mode left to leave.
    }
    if (!FUnsupported.isEmpty())
        FNotes << TCli::tr("трекер не поддерживает: ") + FUnsupported.join(QLatin1Char(' '));
    if (!FNotes.isEmpty()) {
        QStringList parts;
        if (!FResult.Reason.isEmpty())
            parts << FResult.Reason;
        FResult.Reason = (parts + FNotes).join(QStringLiteral("; "));
    }
    Progress(FResult.Result);
    FResult.Seconds = clock.elapsed() / 1000.0;
    FLink = nullptr;
    FHost = nullptr;
    FValues = nullptr;
    FRecorder = nullptr;
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
        return Fail(TCli::tr("порт не открылся за %1 с: %2")
                        .arg(FSetup.ConnectTimeoutSec)
                        .arg(FHost->LastMessage()));
    if (FHost->EntryTimedOut())
        return Fail(TCli::tr("нет командного режима за %1 с (трекер молчит или порт не тот)")
                        .arg(FSetup.ConnectTimeoutSec));
    return Fail(FHost->LastMessage().isEmpty() ? TCli::tr("не удалось войти в командный режим")
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
            AddUnsupported(name);
            break;
        case rsIncomplete:
        case rsRefused:
            incomplete << name + QStringLiteral(" (") + WhyIncomplete(c) + QLatin1Char(')');
            break;
        case rsFailed:
            return Fail(TCli::tr("чтение %1 не удалось: %2").arg(name, FHost->LastMessage()));
        }
    }
    if (read.Interrupted)
        return CheckInterrupt();
    if (!incomplete.isEmpty()) {
        FResult.Result = kResultPartial;
        Note(TCli::tr("неполные: ") + incomplete.join(QStringLiteral(", ")));
    }
    return true;
}
