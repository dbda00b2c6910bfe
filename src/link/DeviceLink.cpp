#include "DeviceLink.h"
#include "ValueGuard.h"

#include "ComPort.h"
#include "PortDiagnosis.h"
#include "WireChars.h"
#include "base/Translate.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {
constexpr TTrContext TrEntry("TfmWaitingData");

const QString kStreamCommand = QStringLiteral("AT+SDAD=");
const QString kStreamStart = QStringLiteral(",,3,,,,,,,,,,,");
const QString kStreamStop = QStringLiteral(",,0,,,,,,,,,,,");
} // namespace

TDeviceLink::TDeviceLink(QObject* parent) : QObject(parent) {
    ComPort1 = new TComPort(this);
    ComPort1->setObjectName(QStringLiteral("ComPort1"));
}

TDeviceLink::~TDeviceLink() {
    try {
        ComPort1->Close();
    } catch (const std::exception&) {
        // A vanished device closes with an error; it is closed all the same.
    }
}

void TDeviceLink::SetHost(TLinkHost* host) {
    FHost = host ? host : &FNullHost;
}

void TDeviceLink::SetValues(TParamValues* values) {
    FValues = values;
}

void TDeviceLink::ApplySettings(const TLinkSettings& settings) {
    const bool portChanged = settings.Port != FSettings.Port || settings.Speed != FSettings.Speed ||
                             settings.DataBits != FSettings.DataBits ||
                             settings.Parity != FSettings.Parity ||
                             settings.StopBits != FSettings.StopBits;
    FSettings = settings;
    // A password goes on the line inside a command: one that could end the
    // line is never sent, and what needs it is refused as for no password.
    // The active one is derived from these two, so a dropped master password
    // leaves the user's in charge, as an unset one would.
    for (QString* password : {&FSettings.Password, &FSettings.MasterPassword})
        if (FirstControlChar(*password) >= 0)
            password->clear();
    if (portChanged && ComPort1->Connected())
        ComPort1->Close();
    ComPort1->SetPort(settings.Port);
    ComPort1->SetCustomBaudRate(quint32(settings.Speed));
    ComPort1->SetDataBitsText(QString::number(settings.DataBits));
    ComPort1->SetParityText(settings.Parity);
    ComPort1->SetStopBitsText(settings.StopBits);
    TComTimeouts t = ComPort1->Timeouts();
    t.ReadInterval = quint32(settings.TimeoutInterval);
    t.ReadTotalMultiplier = 0;
    t.ReadTotalConstant = quint32(settings.Timeout);
    t.WriteTotalMultiplier = 0;
    t.WriteTotalConstant = quint32(settings.Timeout);
    ComPort1->SetTimeouts(t);
}

bool TDeviceLink::OpenPort() {
    if (ComPort1->Connected()) {
        UpdateLinkStatus();
        return true;
    }
    try {
        ComPort1->Open();
    } catch (const EComPort& e) {
        FOpenFailureLog.Write(TrMain("Не могу открыть порт, исключение=") + e.Message());
        // The cause is looked for with the first line of a run, not at every retry.
        if (FOpenFailureLog.Repeats() == 0) {
            const QString why =
                TPortDiagnosis::Explain(TComPort::DevicePath(ComPort1->Port()), e.SystemError());
            if (!why.isEmpty())
                WriteLog(why, lkGeneral);
        }
        return false;
    } catch (const std::exception& e) {
        FOpenFailureLog.Write(TrMain("Не могу открыть порт, исключение=") +
                              QString::fromLocal8Bit(e.what()));
        return false;
    }
    FOpenFailureLog.Settle();
    UpdateLinkStatus();
    return ComPort1->Connected();
}

bool TDeviceLink::EnterCommandMode() {
    if (InCommandMode)
        return true;
    if (!ComPort1->Connected() && !OpenPort()) {
        WaitForPort();
        if (!ComPort1->Connected())
            return false;
    }
    InCommandMode = FHost->RunConnectDialog(*this);
    UpdateLinkStatus();
    return InCommandMode;
}

TExchangeResult TDeviceLink::SendExitLine(bool quiet, bool noWait) {
    return ExchangeCommand(QStringLiteral("AT+TEXT=") + FSettings.ActivePassword() +
                               QLatin1Char(','),
                           QStringLiteral("AT+TEXT=*,"), quiet, noWait, true);
}

TEntryAttempt TDeviceLink::TryEnterCommandMode(int attempt) {
    TEntryAttempt result;
    const QString code = QString::fromLatin1(kAccessCode);
    const QString echoOnly = QLatin1Char(kCR) + code + QLatin1Char(kCR);
    const TExchangeResult x =
        ExchangeCommand(QLatin1Char(kCR) + code, QString(), true, false, true);
    result.Failed = x.failed;
    if (FSettings.ConnectMethod == 1 && !x.failed && x.answer == echoOnly) {
        WriteLog(TrEntry("Уже в командном режиме"), lkGeneral);
        result.Entered = true;
        return result;
    }
    if (x.failed) {
        WriteLog(TrEntry("Ошибка при связи с трекером"), lkGeneral);
    } else {
        const int n = x.answer.size();
        if (n >= 2 && x.answer[n - 1] == QLatin1Char('>') &&
            (x.answer[n - 2] == QLatin1Char(kCR) || x.answer[n - 2] == QLatin1Char(kLF))) {
            result.Entered = true;
            return result;
        }
        if (attempt > 0 && attempt % kEntryExitLineEvery == 0) {
            if (SendExitLine(true, false).failed)
                WriteLog(TrEntry("Ошибка при связи с трекером"), lkGeneral);
        }
    }
    result.PortClosed = !ComPort1->Connected();
    return result;
}

bool TDeviceLink::ApplyProfileCommand(const QString& name, bool* applied) {
    TCmdAddress address = FindCommand(name);
    if (address.Page < 0)
        return false;
    address.Row = 0;
    address.Param = 0;
    const bool ok = ApplyCommand(address);
    if (applied)
        *applied = ok;
    return true;
}

void TDeviceLink::LeaveCommandMode() {
    if ((!ComPort1->Connected() && !OpenPort()) || !InCommandMode)
        return;
    if (ApplyProfileCommand(QStringLiteral("+TEXT")))
        return;
    WriteLog(TrMain("Команда +TEXT не описана!"), lkGeneral);
    SendExitLine(true, true);
    InCommandMode = false;
    UpdateLinkStatus();
}

TFlashStore TDeviceLink::StoreToFlash() {
    if ((!ComPort1->Connected() && !OpenPort()) || !InCommandMode)
        return fsNoCommandMode;
    const QString name = QStringLiteral("+SAVE");
    bool applied = false;
    if (!ApplyProfileCommand(name, &applied)) {
        WriteLog(TrMain("Команда +SAVE не описана!"), lkGeneral);
        const TExchangeResult x = ExchangeCommand(QStringLiteral("AT+SAVE=") +
                                                      FSettings.ActivePassword() + QLatin1Char(','),
                                                  QStringLiteral("AT+SAVE=*,"), false, false, true);
        LastAnswer = BareAnswerOutcome(x.answer, name);
        LastAnswer.ExchangeFailed = x.failed || x.cancelled;
        applied = !LastAnswer.ExchangeFailed;
    }
    if (applied && LastAnswer.Confirms())
        return fsStored;
    // Nothing says the settings are in flash: a silent or refused store
    // must not pass for one.
    WriteLog(TrMain("Трекер не подтвердил запись в энергонезависимую память"), lkGeneral);
    return fsNotConfirmed;
}

bool TDeviceLink::WaitForPort() {
    const bool accepted = FHost->WaitForPort(*this);
    return accepted && ComPort1->Connected();
}

void TDeviceLink::UpdateLinkStatus() {
    FHost->LinkStateChanged(*this);
}

void TDeviceLink::PortIdleCheck() {
    // A blocking write or read owns the port; a zero byte now would land
    // in the middle of a request.
    if (InExchange() || !ComPort1->Connected())
        return;
    try {
        ComPort1->WriteBytes(QByteArray(1, '\0'));
    } catch (const std::exception&) {
        WriteLog(TrMain("Device disconnected"), lkGeneral);
        InCommandMode = false;
        try {
            if (ComPort1->Connected())
                ComPort1->Close();
        } catch (const std::exception&) {
            // Closing a vanished device may fail as well; it is closed anyway.
        }
        UpdateLinkStatus();
    }
}

bool TDeviceLink::StartStatusStream() {
    if (!InCommandMode && !EnterCommandMode())
        return false;
    ExchangeCommand(kStreamCommand + FSettings.ActivePassword() + kStreamStart,
                    kStreamCommand + QLatin1Char('*') + kStreamStart, true, true, true);
    return true;
}

void TDeviceLink::StopStatusStream() {
    ExchangeCommand(kStreamCommand + FSettings.ActivePassword() + kStreamStop,
                    kStreamCommand + QLatin1Char('*') + kStreamStop, true, false, true);
}

QString TDeviceLink::MaskStreamEcho(const QString& line) const {
    QString logged = line;
    const QString password = FSettings.ActivePassword();
    if (!password.isEmpty())
        logged.replace(kStreamCommand + password + QLatin1Char(','),
                       kStreamCommand + QStringLiteral("*,"));
    return logged;
}

bool RunUnattendedEntry(TDeviceLink& link, int timeoutMs, const std::atomic_bool* cancel) {
    TLinkHost& host = link.Host();
    host.ProgressStart(1);
    const QDeadlineTimer deadline(timeoutMs);
    for (int attempt = 1;; ++attempt) {
        if ((cancel && cancel->load()) || deadline.hasExpired())
            return false;
        host.ProgressExtend(1);
        host.ProgressStep(1);
        const TEntryAttempt result = link.TryEnterCommandMode(attempt);
        if (result.Entered)
            return true;
        // The next attempt opens the port again by itself.
        if (result.PortClosed)
            QThread::msleep(kEntryClosedPortPauseMs);
    }
}
