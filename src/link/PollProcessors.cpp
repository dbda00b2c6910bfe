#include "DeviceLink.h"
#include "base/TextUtils.h"
#include "profile/ParamValues.h"

#include <QCoreApplication>

namespace {
constexpr char kContext[] = "TfmMain";
QString Tr(const char* text) {
    return QCoreApplication::translate(kContext, text);
}

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

} // namespace

void TDeviceLink::ProcessAnswer(int page, int command, const QString& answer, bool readValues) {
    AnswerReceived = false;
    if (page < 0 || page >= DevCommands.size() || command < 0 ||
        command >= DevCommands[page].Commands.size())
        return;
    const TDevCommand& cmd = DevCommands[page].Commands[command];
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
            const QString& what = fields[2];
            QString error;
            if (what == QLatin1String("PASSWORD"))
                error = Tr("Неверно задан пароль");
            else if (what == QLatin1String("PERMISSION"))
                error = Tr("Недостаточный уровень доступа");
            else if (what == QLatin1String("COMMAND"))
                error = Tr("Ошибка обработки параметров");
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
        for (int r = 0; r < rows && complete; ++r) {
            for (int p = 0; p < cmd.Parameters.size(); ++p) {
                ++i;
                if (i >= fields.size()) {
                    WriteLog(Tr("Некорректный ответ - отсутствует параметр") + QLatin1Char(' ') +
                                 QString::number(i),
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
                    WriteCheck.Take(at, fields[i], *FHost);
                    FValues->SetWireText(at, fields[i]);
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
        WriteLog(Tr("Трекер не в командном режиме"), lkGeneral);
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
