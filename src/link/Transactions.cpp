#include "ComPort.h"
#include "DeviceLink.h"
#include "ResponseRoutines.h"
#include "ValueGuard.h"
#include "WireChars.h"

#include "base/Translate.h"

namespace {

// Answers are read in blocks of this size; a shorter block ends the answer.
constexpr int kAnswerBlockSize = 100;
// A device that never pauses (a status stream that missed its stop command)
// would keep the block loop reading for ever; no answer comes near this.
constexpr int kAnswerMaxBlocks = 100;

quint32 Ms(qint32 value) {
    return value > 0 ? quint32(value) : 0u;
}

} // namespace

QString TDeviceLink::PasswordFor(TPasswordMode mode) const {
    const QString& user = FSettings.Password;
    const QString& master = FSettings.MasterPassword;
    switch (mode) {
    case pmAdmin:
        return master;
    case pmAdminUser:
        return master.isEmpty() ? user : master;
    case pmUserAdmin:
        return user.isEmpty() ? master : user;
    case pmUser:
        return user;
    }
    return user;
}

// Marks the span in which the port is busy with a blocking write or read, so
// that the idle check stays away from it.
class TExchangeGuard {
public:
    explicit TExchangeGuard(TDeviceLink* owner) : FOwner(owner) { ++FOwner->FExchangeDepth; }
    ~TExchangeGuard() { --FOwner->FExchangeDepth; }
    TExchangeGuard(const TExchangeGuard&) = delete;
    TExchangeGuard& operator=(const TExchangeGuard&) = delete;

private:
    TDeviceLink* FOwner;
};

TExchangeResult TDeviceLink::ExchangeCommand(const QString& command, const QString& logText,
                                             bool quiet, bool noWait, bool addCR) {
    TExchangeResult result;
    const QString shown = logText.isEmpty() ? command : logText;

    if (!ComPort1->Connected()) {
        OpenPort();
        if (!ComPort1->Connected()) {
            if (quiet)
                return result;
            WaitForPort();
            if (!ComPort1->Connected()) {
                result.cancelled = true;
                return result;
            }
        }
    }

    QString line = command;
    bool portFailed = false;
    QString failure;
    try {
        TExchangeGuard guard(this);
        if (addCR)
            line += QLatin1Char(kCR);
        ComPort1->ClearBuffers(true, true);
        const int written = ComPort1->WriteText(line);
        if (written < line.size()) {
            WriteLog(TrMain("Ошибка записи, записано") + QLatin1Char(' ') +
                         QString::number(written) + QLatin1Char('/') + QString::number(line.size()),
                     lkWriteError);
            result.failed = true;
        }
        WriteLog(shown, lkWrite);
        if (result.failed || noWait)
            return result;

        ComPort1->SetEndOnPrompt(FSettings.EndOnPrompt);
        ComPort1->SetReadTotalConstant(Ms(FSettings.TimeoutEcho));
        result.answer = ComPort1->ReadText(line.size());
        // A whole echo means the device is listening: give it the full time to
        // answer. Without one, only the gap time is worth waiting.
        ComPort1->SetReadTotalConstant(result.answer == line ? Ms(FSettings.Timeout)
                                                             : Ms(FSettings.TimeoutInterval));
        // An answer that came whole with the echo needs no block reads.
        for (int blocks = 1; !ComPort1->EndedOnPrompt(); ++blocks) {
            const QString block = ComPort1->ReadText(kAnswerBlockSize);
            result.answer += block;
            if (block.size() < kAnswerBlockSize || blocks >= kAnswerMaxBlocks)
                break;
            ComPort1->SetReadTotalConstant(Ms(FSettings.TimeoutInterval));
        }
    } catch (const EComPort& e) {
        portFailed = true;
        failure = e.Message();
    } catch (const std::exception& e) {
        portFailed = true;
        failure = QString::fromLocal8Bit(e.what());
    }

    if (portFailed) {
        WriteLog(TrMain("Ошибка чтения, исключение=") + failure, lkReadError);
        result.failed = true;
        InCommandMode = false;
        try {
            ComPort1->Close();
        } catch (const std::exception&) {
            // The device is gone already; closed is what we wanted.
        }
        UpdateLinkStatus();
        if (!quiet) {
            if (FHost->AskRetry())
                result = ExchangeCommand(line, logText, quiet, noWait, false);
            else
                result.cancelled = true;
        }
    }

    try {
        ComPort1->SetReadTotalConstant(Ms(FSettings.Timeout));
    } catch (const std::exception&) {
        // Only a closed or broken port refuses; it gets its time-outs on open.
    }
    // The device echoes the request, password and all: the log shows the
    // echo in the masked form, as it shows the request.
    QString logged = result.answer;
    QString sentBare = command;
    QString shownBare = shown;
    if (sentBare.endsWith(QLatin1Char(kCR)))
        sentBare.chop(1);
    if (shownBare.endsWith(QLatin1Char(kCR)))
        shownBare.chop(1);
    if (shownBare != sentBare && !sentBare.isEmpty())
        logged.replace(sentBare, shownBare);
    WriteLog(logged, lkRead);
    return result;
}

bool TDeviceLink::RunWithRetries(const TCmdAddress& address, const QString& request,
                                 const QString& logText) {
    int attemptsLeft = FSettings.RetryCount;
    bool result = false;
    for (;;) {
        const TExchangeResult exchange = ExchangeCommand(request, logText, false, false, true);
        // An operator who cancelled the retry box or the reconnect dialog has
        // said no: this attempt is the last, and it counts as failed.
        result = !exchange.failed && !exchange.cancelled;
        if (exchange.cancelled)
            attemptsLeft = qMin(attemptsLeft, 1);
        LastAnswer = TAnswerOutcome();
        LastAnswer.ExchangeFailed = !result;
        AnswerReceived = true;
        RunPollProcessor(address, exchange.answer);
        if (!AnswerReceived) {
            --attemptsLeft;
            WriteLog(TrMain("Не получен ожидаемый ответ на команду. ") +
                         (attemptsLeft > 0 ? TrMain("Повтор") : TrMain("Прекращаю попытку")),
                     lkGeneral);
        }
        if (AnswerReceived || attemptsLeft <= 0)
            break;
    }
    return result;
}

bool TDeviceLink::PollCommand(const TCmdAddress& address) {
    if (!InCommandMode && !EnterCommandMode())
        return false;
    const TDevCommand* command = CommandAt(address);
    if (!command)
        return false;
    const QString request = QStringLiteral("AT") + command->CommandName + QStringLiteral("=?");
    return RunWithRetries(address, request, request);
}

bool TDeviceLink::ApplyCommand(const TCmdAddress& address) {
    if (!InCommandMode && !EnterCommandMode())
        return false;
    const TDevCommand* command = CommandAt(address);
    if (!command || !command->SetData)
        return false;
    const QString password = PasswordFor(command->PasswordMode);
    if (password.isEmpty()) {
        WriteLog(TrMain("Неверно задан пароль"), lkGeneral);
        return false;
    }
    TUnsafeValue unsafe;
    const QString values = BuildParameterList(address.Page, address.Command, address.Row, &unsafe);
    if (unsafe.Param >= 0) {
        WriteLog(UnsafeValueMessage(*command, unsafe.Param, unsafe.Kind), lkGeneral);
        return false;
    }
    const QString head = QStringLiteral("AT") + command->CommandName + QLatin1Char('=');
    const QString request = head + password + QLatin1Char(',') + values;
    const QString logText = head + QStringLiteral("*,") + values;
    const int previousRowOnly = FAnswerRowOnly;
    FAnswerRowOnly = command->Indexed ? address.Row : -1;
    WriteCheck.Begin(FValues, address);
    const bool result = RunWithRetries(address, request, logText);
    WriteCheck.End();
    FAnswerRowOnly = previousRowOnly;
    // The exit routine looks at nothing: the tracker leaves command mode.
    if (!LastAnswer.Confirms(address.Row) &&
        FindResponseRoutine(command->PollProcessorName) != &TDeviceLink::ExitCmdProcessor)
        WriteCheck.Unconfirmed(address, *command, *FHost);
    return result;
}

void TDeviceLink::RunPollProcessor(const TCmdAddress& address, const QString& answer) {
    const TDevCommand* command = CommandAt(address);
    if (!command)
        return;
    const TResponseRoutine routine = FindResponseRoutine(command->PollProcessorName);
    (this->*routine)(address.Page, address.Command, address.Row, address.Param, answer);
}
