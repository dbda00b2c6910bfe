#include "DeviceLink.h"
#include "base/TextUtils.h"
#include "profile/ParamValues.h"

#include "base/Translate.h"

namespace {

// "+RESP:" and four letters: only a header of exactly this length can match.
constexpr int kResponseHeaderLength = 10;
constexpr int kErrorFieldCount = 3;

QStringList AnswerLines(QString text) {
    QStringList lines;
    QString line;
    while (ExtractLine(text, line))
        lines << line;
    if (!text.isEmpty())
        lines << text;
    return lines;
}

QString ResponseHeader(const QString& commandName) {
    QString name = commandName;
    name.remove(QLatin1Char('+'));
    return QStringLiteral("+RESP:") + name;
}

bool LineMatches(const QString& line, const QString& header) {
    return header.size() == kResponseHeaderLength && line.size() >= kResponseHeaderLength &&
           QStringView(line).left(kResponseHeaderLength) == header;
}

// The message of a refusal word; empty for a word the program does not know.
QString DeviceErrorText(const QString& word) {
    if (word == QLatin1String("PASSWORD"))
        return TrMain("Неверно задан пароль");
    if (word == QLatin1String("PERMISSION"))
        return TrMain("Недостаточный уровень доступа");
    if (word == QLatin1String("COMMAND"))
        return TrMain("Ошибка обработки параметров");
    return QString();
}

} // namespace

TAnswerOutcome BareAnswerOutcome(const QString& answer, const QString& commandName) {
    TAnswerOutcome outcome;
    const QString header = ResponseHeader(commandName);
    QString last;
    for (const QString& line : AnswerLines(answer)) {
        if (!line.isEmpty())
            last = line;
        if (line == QLatin1String("NOT SUPPORTED")) {
            outcome.Unsupported = true;
            continue;
        }
        if (!LineMatches(line, header))
            continue;
        outcome.Matched = true;
        const QStringList fields = SplitList(line);
        if (fields.size() >= 2 && fields[1] == QLatin1String("ERROR")) {
            const QString word = fields.mid(2).join(QLatin1Char(','));
            const QString known = DeviceErrorText(word);
            outcome.DeviceError = known.isEmpty() ? QStringLiteral("ERROR ") + word : known;
        }
    }
    outcome.Prompt = last == QLatin1String(">");
    return outcome;
}

void TDeviceLink::ProcessAnswer(int page, int command, const QString& answer, bool readValues) {
    AnswerReceived = false;
    const TDevCommand* found = CommandAt(page, command);
    if (!found)
        return;
    const TDevCommand& cmd = *found;
    const QString header = ResponseHeader(cmd.CommandName);
    QString last;

    for (const QString& line : AnswerLines(answer)) {
        if (!line.isEmpty())
            last = line;
        if (line == QLatin1String("NOT SUPPORTED")) {
            AnswerReceived = true;
            LastAnswer.Unsupported = true;
            if (FValues)
                FValues->MarkUnsupported(page, command);
            continue;
        }
        if (!LineMatches(line, header))
            continue;
        AnswerReceived = true;
        LastAnswer.Matched = true;
        const QStringList fields = SplitList(line);

        if (fields.size() >= kErrorFieldCount && fields[1] == QLatin1String("ERROR")) {
            const QString error = DeviceErrorText(fields[2]);
            if (!error.isEmpty()) {
                LastAnswer.DeviceError = error;
                FHost->ShowDeviceError(error);
                continue;
            }
        }
        if (!readValues)
            continue;

        // Values run on across rows: row 0's parameters, then row 1's, ...
        ++LastAnswer.ValueLines;
        LastAnswer.RowsCarried = 0;
        int i = 0;
        const int rows = cmd.Indexed ? cmd.MaxIndex : 1;
        bool complete = true;
        // The list drops an empty item at the end: a line that ends on a
        // comma carries an empty last value, not one less.
        const bool emptyLast = TrimControls(line).endsWith(QLatin1Char(','));
        for (int r = 0; r < rows && complete; ++r) {
            for (int p = 0; p < cmd.Parameters.size(); ++p) {
                ++i;
                const bool lastOfRow = p == cmd.Parameters.size() - 1;
                if (i >= fields.size() && !(emptyLast && lastOfRow && i == fields.size())) {
                    WriteLog(TrMain("Некорректный ответ - отсутствует параметр") +
                                 QLatin1Char(' ') + QString::number(i),
                             lkGeneral);
                    complete = false;
                    LastAnswer.Short = true;
                    break;
                }
                const TCmdParameter& param = cmd.Parameters[p];
                if (!param.Overwrite || (FAnswerRowOnly >= 0 && r != FAnswerRowOnly))
                    continue;
                const TCmdAddress at{page, command, r, p};
                // The tracker's answer is what it holds: the store shows that,
                // also where it differs from what a write sent (logged).
                if (FValues && FValues->HasValue(at)) {
                    const QString field = fields.value(i);
                    WriteCheck.Take(at, field, *FHost);
                    FValues->SetWireText(at, field);
                }
            }
            if (complete)
                ++LastAnswer.RowsCarried;
            // Field i was the row's last; a line that ends there carries no
            // further rows and is complete as it is.
            if (complete && fields.size() <= i + 1)
                break;
        }
    }

    LastAnswer.Prompt = last == QLatin1String(">");
    if (!LastAnswer.Prompt)
        WriteLog(TrMain("Трекер не в командном режиме"), lkGeneral);
}

void TDeviceLink::DefaultProcessor(int page, int command, int, int, const QString& answer) {
    ProcessAnswer(page, command, answer, true);
}

void TDeviceLink::NonPollProcessor(int page, int command, int, int, const QString& answer) {
    ProcessAnswer(page, command, answer, false);
}

void TDeviceLink::ExitCmdProcessor(int, int, int, int, const QString&) {
    InCommandMode = false;
    UpdateLinkStatus();
}
