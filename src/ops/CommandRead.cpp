#include "CommandRead.h"

#include "base/Translate.h"
#include "link/DeviceLink.h"
#include "profile/HeldValues.h"
#include "profile/ParamValues.h"

#include <QCoreApplication>

namespace {

// The first value a read takes that values lacks; Page -1 when none.
TCmdAddress FirstMissing(const TParamValues& values, const TCmdAddress& at) {
    const TDevCommand* cmd = CommandAt(at);
    for (int r = 0; cmd && r < cmd->RowCount(); ++r)
        for (int p = 0; p < cmd->Parameters.size(); ++p) {
            const TCmdAddress a{at.Page, at.Command, r, p};
            if (cmd->Parameters[p].Overwrite && !(values.Held(a) & hpValue))
                return a;
        }
    return {-1, -1, -1, -1};
}

} // namespace

bool TReadResult::Failed() const {
    return !Commands.isEmpty() && Commands.constLast().State == rsFailed;
}

bool TReadResult::Complete() const {
    if (Interrupted)
        return false;
    for (const TCommandRead& c : Commands)
        if (c.State != rsRead && c.State != rsUnsupported)
            return false;
    return true;
}

int TReadResult::Count(TReadState state) const {
    int n = 0;
    for (const TCommandRead& c : Commands)
        n += c.State == state ? 1 : 0;
    return n;
}

const TCommandRead* TReadResult::Find(int page, int command) const {
    for (const TCommandRead& c : Commands)
        if (c.Command.Page == page && c.Command.Command == command)
            return &c;
    return nullptr;
}

TReadResult ReadCommands(TDeviceLink& link, TParamValues& values,
                         const QVector<TCmdAddress>& commands, TOpsObserver& observer,
                         TOpsPhase phase) {
    TReadResult result;
    TLinkValuesScope scope(link, &values);
    for (int i = 0; i < commands.size(); ++i) {
        const TCmdAddress at{commands[i].Page, commands[i].Command, 0, 0};
        const TDevCommand* cmd = CommandAt(at);
        if (!cmd)
            continue;
        if (observer.StopRequested()) {
            result.Interrupted = true;
            break;
        }
        observer.Step({phase, i, int(commands.size()), at});
        TCommandRead read;
        read.Command = at;
        const bool exchanged = link.PollCommand(at);
        const TAnswerOutcome& answer = link.LastAnswer;
        if (!exchanged || answer.ExchangeFailed) {
            read.State = rsFailed;
            result.Commands.append(read);
            link.WriteLog(TrMain("Процесс прерван на команде") + QLatin1Char(' ') +
                              cmd->CommandName,
                          lkGeneral);
            break;
        }
        if (answer.Unsupported) {
            read.State = rsUnsupported;
        } else if (!answer.DeviceError.isEmpty()) {
            read.State = rsRefused;
            read.Refusal = answer.DeviceError;
        } else if (!answer.Matched) {
            read.State = rsIncomplete;
            read.Why = iwNoAnswer;
        } else {
            read.Missing = FirstMissing(values, at);
            if (read.Missing.Page >= 0) {
                read.State = rsIncomplete;
                // A row the answer did not reach is short; a row it carried
                // holds a value the store could not take.
                read.Why =
                    answer.Short || read.Missing.Row >= answer.RowsCarried ? iwShort : iwUnreadable;
            }
        }
        if (read.State == rsIncomplete || read.State == rsRefused)
            link.WriteLog(QCoreApplication::translate("TReadOperation",
                                                      "Значения команды %1 прочитаны не все")
                              .arg(cmd->CommandName),
                          lkGeneral);
        result.Commands.append(read);
    }
    return result;
}

QVector<TCmdAddress> ReadableCommands(const std::function<bool(int page, int command)>& include) {
    QVector<TCmdAddress> out;
    for (int p = 0; p < DevCommands.size(); ++p)
        for (int c = 0; c < DevCommands[p].Commands.size(); ++c)
            if (DevCommands[p].Commands[c].PollData && (!include || include(p, c)))
                out.append({p, c, 0, 0});
    return out;
}

void HoldProgramValues(TParamValues& values, const TReadResult& read) {
    for (const TCommandRead& c : read.Commands) {
        const TDevCommand* cmd = CommandAt(c.Command);
        if (c.State != rsRead || !cmd)
            continue;
        for (int r = 0; r < cmd->RowCount(); ++r)
            for (int p = 0; p < cmd->Parameters.size(); ++p) {
                const TCmdAddress a{c.Command.Page, c.Command.Command, r, p};
                // Set as it stands: the store then holds it.
                if (!cmd->Parameters[p].Overwrite)
                    values.SetWireText(a, values.WireText(a));
            }
    }
}
