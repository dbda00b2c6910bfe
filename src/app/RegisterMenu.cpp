#include "ProgressObserver.h"
#include "TfmMain.h"
#include "config/ParamValueTable.h"
#include "link/ComPort.h"
#include "ops/CommandRead.h"
#include "ops/ResultWords.h"
#include "profile/TouchRecorder.h"
#include "register/Register.h"
#include "register/RegisterRestore.h"
#include "register/RegisterUnitsModel.h"
#include "register/TfmRegister.h"
#include "register/TrackerRecorder.h"
#include "settings/Settings.h"

#include <QMessageBox>

// The tracker register: what the window does to a tracker is recorded as
// velmora-cli records it, and the register's window can write an event's
// values back.

namespace {
constexpr int kMsPerSecond = 1000;
} // namespace

void TfmMain::OpenRegister() {
    const int identityMs = Settings.IdentityTimeoutSec * kMsPerSecond;
    if (!FRegister || FRegisterSetting != Settings.RegisterDatabase) {
        FRegisterSetting = Settings.RegisterDatabase;
        FRecorder.reset();
        FRegister.reset();
        TRegisterLocation location = SqliteLocation(ProgramRegisterFile());
        QString error;
        if (!FRegisterSetting.isEmpty() &&
            !ParseRegisterLocation(FRegisterSetting, location, error))
            WriteLog(tr("Журнал трекеров не ведётся: %1").arg(error), lkGeneral);
        else
            FRegister = std::make_unique<TRegister>(location, ProgramRegisterFile());
        if (fmRegister)
            fmRegister->SetRegister(FRegister.get());
    }
    if (!FRegister || !Settings.RegisterRecord)
        FRecorder.reset();
    else if (!FRecorder)
        FRecorder = std::make_unique<TTrackerRecorder>(FRegister.get(), identityMs);
    else
        FRecorder->SetIdentityTimeout(identityMs);
}

void TfmMain::Register1Click() {
    if (!FRegister) {
        QMessageBox::information(this, windowTitle(),
                                 tr("Журнал трекеров не ведётся: в %1 неверно задан [Register] "
                                    "Database=")
                                     .arg(SettingsFilePath()));
        return;
    }
    if (!fmRegister) {
        fmRegister = new TfmRegister(this);
        fmRegister->setObjectName(QStringLiteral("fmRegister"));
        connect(fmRegister, &TfmRegister::RestoreRequested, this,
                [this](qint64 number, const QString& unit) { RestoreEvent(number, unit); });
    }
    fmRegister->SetRegister(FRegister.get());
    fmRegister->exec();
}

void TfmMain::LogRecord(const QString& message) {
    if (!message.isEmpty())
        WriteLog(message, lkGeneral);
}

bool TfmMain::PrepareRecording() {
    if (!Link->InCommandMode && !Link->EnterCommandMode())
        return false;
    if (!FRecorder || FRecorder->Asked())
        return true;
    TProgressObserver observer(*this);
    FRecorder->Identify(*Link, observer);
    ProgressFinish();
    const TTrackerIdentity& who = FRecorder->Identity();
    if (!who.Imei.trimmed().isEmpty())
        WriteLog(tr("Трекер %1, IMEI %2, прошивка %3").arg(who.Model, who.Imei, who.Firmware),
                 lkGeneral);
    else
        WriteLog(tr("Трекер не сообщил IMEI: журнал трекеров записывает его под %1")
                     .arg(FRecorder->Unit().isEmpty() ? Link->ComPort1->Port() : FRecorder->Unit()),
                 lkGeneral);
    return Link->InCommandMode;
}

void TfmMain::RunRecordedRead(const std::function<bool()>& operation) {
    if (FRecorder && !PrepareRecording())
        return;
    bool ok = false;
    RunMarked([&] { ok = operation(); }, false,
              [&](const TTouchRecorder& touched) {
                  if (FRecorder)
                      LogRecord(
                          FRecorder->RecordRead(*Link, touched, ok ? kResultOk : kResultFailed)
                              .Message());
              });
}

void TfmMain::RunRecordedWrite(const QVector<TCmdAddress>& commands,
                               const std::function<bool()>& operation) {
    QVector<TCmdAddress> readable;
    bool writes = false;
    for (const TCmdAddress& c : commands) {
        const TDevCommand* cmd = CommandAt(c);
        writes = writes || (cmd && cmd->SetData);
        if (cmd && cmd->SetData && cmd->PollData && Pages->CommandUsable(c.Page, c.Command))
            readable.append({c.Page, c.Command, 0, 0});
    }
    if (!FRecorder || !writes) {
        RunMarked([&] { operation(); }, true);
        return;
    }
    if (!PrepareRecording())
        return;
    // The backup: what the tracker holds of the commands before they change.
    TParamValueTable before;
    TProgressObserver observer(*this);
    const TReadResult read = ReadCommands(*Link, before, readable, observer);
    if (read.Failed() || read.Interrupted) {
        WriteLog(tr("Запись отменена: значения трекера до неё не прочитаны"), lkGeneral);
        return;
    }
    bool ok = false;
    RunMarked([&] { ok = operation(); }, true,
              [&](const TTouchRecorder& touched) {
                  const QString result = !ok                                     ? kResultFailed
                                         : Link->WriteCheck.NotTaken().isEmpty() ? kResultOk
                                                                                 : kResultDiffers;
                  LogRecord(FRecorder->RecordWrite(*Link, read, before, touched, result).Message());
              });
}

void TfmMain::RestoreEvent(qint64 number, const QString& unit) {
    if (!FRecorder) {
        // A restore is known only by its record: none without recording.
        QMessageBox::information(fmRegister, windowTitle(),
                                 tr("Журнал трекеров не записывается ([Register] Record=0 в %1)")
                                     .arg(SettingsFilePath()));
        return;
    }
    if (!PrepareRecording())
        return;
    TWriteOptions options;
    TProgressObserver observer(*this);
    const TRestoreOutcome r = ::RestoreEvent(*FRecorder, number, *Link, options, observer);
    QWidget* parent = fmRegister && fmRegister->isVisible() ? static_cast<QWidget*>(fmRegister)
                                                            : static_cast<QWidget*>(this);
    if (!r.Ran()) {
        WriteLog(
            tr("Значения события %1 не записаны в трекер %2: %3").arg(number).arg(unit, r.Error),
            lkGeneral);
        QMessageBox::warning(parent, windowTitle(), r.Error);
        return;
    }
    if (r.Write.Failure == wfNone)
        ProgressFinish();
    LogRecord(r.Record.Message());
    ShowWritten(r.Write, [](const TCmdAddress&) { return true; });
    WriteLog(tr("Значения события %1 записаны в трекер %2: %3")
                 .arg(number)
                 .arg(FRecorder->Unit(), ResultCaption(WriteResultWord(r.Write, options.Store))),
             lkGeneral);
    if (fmRegister)
        fmRegister->Reload();
}
