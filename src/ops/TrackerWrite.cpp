#include "TrackerWrite.h"

#include "WritePlan.h"
#include "base/Translate.h"
#include "link/ValueGuard.h"
#include "profile/HeldValues.h"
#include "profile/WireValue.h"

#include <QCoreApplication>

namespace {

bool SameCommand(const TCmdAddress& a, const TCmdAddress& b) {
    return a.Page == b.Page && a.Command == b.Command;
}

bool ContainsCommand(const QVector<TCmdAddress>& list, const TCmdAddress& a) {
    for (const TCmdAddress& x : list)
        if (SameCommand(x, a))
            return true;
    return false;
}

// Each command of the rows once, in order.
QVector<TCmdAddress> CommandsOf(const QVector<TCmdAddress>& rows) {
    QVector<TCmdAddress> out;
    for (const TCmdAddress& r : rows)
        if (!ContainsCommand(out, r))
            out.append({r.Page, r.Command, 0, 0});
    return out;
}

// Reads first what the tracker holds of the commands concerned (those the
// caller knows whole are taken as known); false when the write cannot go on.
bool ReadFirst(TDeviceLink& link, const QVector<TCmdAddress>& commands,
               const TWriteOptions& options, TOpsObserver& observer, TWriteResult& r) {
    QVector<TCmdAddress> toRead;
    for (const TCmdAddress& c : commands) {
        const TDevCommand* cmd = CommandAt(c);
        if (options.Known && (!options.Known->CommandUsable(c.Page, c.Command) ||
                              HoldsWholeAnswer(*options.Known, c.Page, c.Command)))
            CopyHeldCommand(*options.Known, r.Before, c);
        else if (cmd && cmd->PollData)
            toRead.append(c);
    }
    r.BeforeRead = ReadCommands(link, r.Before, toRead, observer, opReading);
    if (r.BeforeRead.Interrupted) {
        r.Interrupted = true;
        return false;
    }
    if (r.BeforeRead.Failed()) {
        r.Failure = wfReadFailed;
        r.At = r.BeforeRead.Commands.constLast().Command;
        return false;
    }
    return true;
}

// Puts every row together and checks it before the first goes out.
bool PlanRows(TDeviceLink& link, const TParamValues& source, const QVector<TCmdAddress>& rows,
              TParamValueTable& sent, TWriteResult& r) {
    for (const TCmdAddress& row : rows) {
        const TDevCommand& cmd = *CommandAt(row);
        if (!r.Before.CommandUsable(row.Page, row.Command)) {
            if (!ContainsCommand(r.Unsupported, row))
                r.Unsupported.append({row.Page, row.Command, 0, 0});
            continue;
        }
        const TCommandRead* read = r.BeforeRead.Find(row.Page, row.Command);
        const bool trackerRowKnown = !read || read->State == rsRead;
        const QString name =
            cmd.CommandName +
            (cmd.Indexed ? QLatin1Char(' ') + RowCaption(cmd, row.Row) : QString());
        if (!trackerRowKnown && !SourceCoversRow(source, row)) {
            link.WriteLog(QCoreApplication::translate("TWriteOperation",
                                                      "Запись отменена: значения %1 в трекере не "
                                                      "прочитаны, а записываемые не задают всю "
                                                      "строку")
                              .arg(name),
                          lkGeneral);
            r.Failure = wfUnreadRow;
            r.At = row;
            return false;
        }
        TCmdAddress missing;
        if (!MergeRow(source, r.Before, row, sent, &missing)) {
            link.WriteLog(QCoreApplication::translate("TWriteOperation",
                                                      "Запись отменена: у параметра %2 (%3) "
                                                      "команды %1 нет значения ни в записываемых, "
                                                      "ни в трекере")
                              .arg(name)
                              .arg(missing.Param)
                              .arg(cmd.Parameters[missing.Param].Description),
                          lkGeneral);
            r.Failure = wfNoValue;
            r.At = missing;
            return false;
        }
        if (cmd.GroupSetData == gsAuto && SentParameterCount(sent, row) == 0)
            continue;
        r.Rows.append(row);
    }
    // Every row goes on the line as it is, or none does.
    TLinkValuesScope scope(link, &sent);
    for (const TCmdAddress& row : r.Rows) {
        const TDevCommand& cmd = *CommandAt(row);
        TUnsafeValue unsafe;
        link.BuildParameterList(row.Page, row.Command, row.Row, &unsafe);
        if (unsafe.Param >= 0) {
            link.WriteLog(UnsafeValueMessage(cmd, unsafe.Param, unsafe.Kind), lkGeneral);
            r.Failure = wfUnsafeValue;
            r.At = {row.Page, row.Command, row.Row, unsafe.Param};
            r.Unsafe = unsafe.Kind;
            return false;
        }
        if (link.PasswordFor(cmd.PasswordMode).isEmpty()) {
            link.WriteLog(TrMain("Неверно задан пароль"), lkGeneral);
            r.Failure = wfNoPassword;
            r.At = row;
            return false;
        }
    }
    return true;
}

// Writes the rows in order up to the first one not confirmed.
void WriteRows(TDeviceLink& link, TParamValueTable& sent, TOpsObserver& observer, TWriteResult& r) {
    TLinkValuesScope scope(link, &sent);
    link.WriteCheck.Reset();
    QVector<TCmdAddress> written;
    for (int i = 0; i < r.Rows.size(); ++i) {
        const TCmdAddress& row = r.Rows[i];
        const TDevCommand& cmd = *CommandAt(row);
        if (ContainsCommand(r.Unsupported, row))
            continue;
        if (observer.StopRequested()) {
            r.Interrupted = true;
            break;
        }
        observer.Step({opWriting, i, int(r.Rows.size()), row});
        const bool exchanged = link.ApplyCommand(row);
        const TAnswerOutcome& answer = link.LastAnswer;
        if (exchanged && !answer.ExchangeFailed && answer.Unsupported) {
            r.Unsupported.append({row.Page, row.Command, 0, 0});
            continue;
        }
        if (!exchanged || answer.ExchangeFailed)
            r.Failure = wfExchange;
        else if (!answer.DeviceError.isEmpty())
            r.Failure = wfRefused;
        else if (!answer.Confirms(row.Row))
            r.Failure = wfNotConfirmed;
        if (r.Failure != wfNone) {
            r.At = row;
            r.Refusal = answer.DeviceError;
            link.WriteLog(TrMain("Процесс прерван на команде") + QLatin1Char(' ') +
                              cmd.CommandName + QLatin1Char('/') + QString::number(row.Row),
                          lkGeneral);
            break;
        }
        r.Written.append(row);
        if (!ContainsCommand(written, row))
            written.append({row.Page, row.Command, 0, 0});
    }
    r.CommandsWritten = int(written.size());
    r.Mismatches = link.WriteCheck.NotTaken();
    link.WriteLog(link.WriteCheck.Summary(), lkGeneral);
}

// Reads the written commands back and compares every value sent.
void Verify(TDeviceLink& link, const QVector<TNotTaken>& outgoing, TOpsObserver& observer,
            TWriteResult& r) {
    QVector<TCmdAddress> commands;
    for (const TCmdAddress& c : CommandsOf(r.Rows)) {
        const TDevCommand* cmd = CommandAt(c);
        if (cmd && cmd->PollData && !ContainsCommand(r.Unsupported, c))
            commands.append(c);
    }
    r.AfterRead = ReadCommands(link, r.After, commands, observer, opVerifying);
    if (r.AfterRead.Interrupted) {
        r.Interrupted = true;
        return;
    }
    if (r.AfterRead.Failed()) {
        r.Failure = wfReadFailed;
        r.At = r.AfterRead.Commands.constLast().Command;
        return;
    }
    for (const TNotTaken& value : outgoing) {
        const TCmdParameter* param = RowParameterAt(value.Address);
        if (!param || !param->Overwrite || !ContainsCommand(commands, value.Address))
            continue;
        bool known = false;
        for (const TNotTaken& m : r.Mismatches)
            known = known ||
                    (SameCommand(m.Address, value.Address) && m.Address.Row == value.Address.Row &&
                     m.Address.Param == value.Address.Param);
        if (known)
            continue;
        if (!(r.After.Held(value.Address) & hpValue)) {
            r.Unverified.append(value.Address);
            continue;
        }
        const QString held = r.After.WireText(value.Address);
        if (SameWireValue(*param, value.Sent, held))
            continue;
        r.Mismatches.append({value.Address, value.Sent, held});
        link.WriteLog(NotTakenMessage(r.Mismatches.constLast()), lkGeneral);
    }
}

} // namespace

bool TWriteResult::WasWritten(const TCmdAddress& row) const {
    for (const TCmdAddress& w : Written)
        if (SameCommand(w, row) && w.Row == row.Row)
            return true;
    return false;
}

TWriteResult WriteValues(TDeviceLink& link, const TParamValues& source,
                         const TWriteOptions& options, TOpsObserver& observer) {
    TWriteResult r;
    const QVector<TCmdAddress> rows = SourceRows(source);
    if (!ReadFirst(link, CommandsOf(rows), options, observer, r))
        return r;
    TParamValueTable& sent = r.Answered;
    if (!PlanRows(link, source, rows, sent, r))
        return r;
    // What goes out, before the answers refresh the table.
    QVector<TNotTaken> outgoing;
    for (const TCmdAddress& row : r.Rows) {
        const TDevCommand& cmd = *CommandAt(row);
        for (int p = 0; p < cmd.Parameters.size(); ++p) {
            const TCmdAddress a{row.Page, row.Command, row.Row, p};
            if (!cmd.Parameters[p].Optional || sent.ParameterEnabled(a))
                outgoing.append({a, sent.WireText(a), QString()});
        }
    }
    WriteRows(link, sent, observer, r);
    if (r.Failure != wfNone || r.Interrupted)
        return r;
    if (options.Verify)
        Verify(link, outgoing, observer, r);
    if (!options.Store || r.Failure != wfNone || r.Interrupted || !r.Mismatches.isEmpty() ||
        !r.Unverified.isEmpty())
        return r;
    if (observer.StopRequested()) {
        r.Interrupted = true;
        return r;
    }
    observer.Step({opStoring, 0, 1, {}});
    r.StoreTried = true;
    r.Store = link.StoreToFlash();
    r.StoreAnswer = link.LastAnswer;
    return r;
}
