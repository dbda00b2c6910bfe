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
            if (FValues)
                FValues->MarkUnsupported(page, command);
            continue;
        }
        if (!LineMatches(line, header))
            continue;
        AnswerReceived = true;
        const QStringList fields = SplitList(line);

        if (fields.size() >= kErrorFieldCount && fields[1] == QLatin1String("ERROR")) {
            const QString& what = fields[2];
            if (what == QLatin1String("PASSWORD")) {
                FHost->ShowDeviceError(Tr("Неверно задан пароль"));
                continue;
            }
            if (what == QLatin1String("PERMISSION")) {
                FHost->ShowDeviceError(Tr("Недостаточный уровень доступа"));
                continue;
            }
            if (what == QLatin1String("COMMAND")) {
                FHost->ShowDeviceError(Tr("Ошибка обработки параметров"));
                continue;
            }
        }
        if (!readValues)
            continue;

        // Values run on across rows: row 0's parameters, then row 1's, ...
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
                    break;
                }
                const TCmdParameter& param = cmd.Parameters[p];
                if (!param.Overwrite || (FAnswerRowOnly >= 0 && r != FAnswerRowOnly))
                    continue;
                const TCmdAddress at{page, command, r, p};
                if (FValues && FValues->HasValue(at))
                    FValues->SetWireText(at, fields[i]);
            }
            // Field i was the row's last; a line that ends there carries no
            // further rows and is complete as it is.
            if (complete && fields.size() <= i + 1)
                break;
        }
    }

    if (last != QLatin1String(">"))
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
