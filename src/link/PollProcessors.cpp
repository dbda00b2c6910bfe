#include "app/TextUtils.h"
#include "app/TfmMain.h"
#include "pages/EditorAccess.h"

#include <QGroupBox>
#include <QMessageBox>

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

} // namespace

void TfmMain::ShowDeviceError(const QString& text) {
    QMessageBox::information(this, windowTitle(), text);
}

void TfmMain::ProcessAnswer(int page, int command, const QString& answer, bool readValues) {
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
            if (auto* group = qobject_cast<QGroupBox*>(FindControl(page, command, 0, 0, crGroup)))
                SetCommandEnabled(group, false);
            continue;
        }
        if (!LineMatches(line, header))
            continue;
        AnswerReceived = true;
        const QStringList fields = SplitList(line);

        if (fields.size() >= kErrorFieldCount && fields[1] == QLatin1String("ERROR")) {
            const QString& what = fields[2];
            if (what == QLatin1String("PASSWORD")) {
                ShowDeviceError(tr("Неверно задан пароль"));
                continue;
            }
            if (what == QLatin1String("PERMISSION")) {
                ShowDeviceError(tr("Недостаточный уровень доступа"));
                continue;
            }
            if (what == QLatin1String("COMMAND")) {
                ShowDeviceError(tr("Ошибка обработки параметров"));
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
                    WriteLog(tr("Некорректный ответ - отсутствует параметр") + QLatin1Char(' ') +
                                 QString::number(i),
                             lkGeneral);
                    complete = false;
                    break;
                }
                const TCmdParameter& param = cmd.Parameters[p];
                if (!param.Overwrite || (FAnswerRowOnly >= 0 && r != FAnswerRowOnly))
                    continue;
                QWidget* editor = FindControl(page, command, r, p, crEditor);
                if (!editor)
                    continue;
                const QString& value = fields[i];
                switch (param.ParamKind) {
                case pkInteger:
                case pkString:
                case pkHex:
                    SetEditorText(editor, value);
                    break;
                case pkOption:
                    for (int k = 0; k < param.Options.size(); ++k) {
                        if (param.Options[k].OptionValue == value) {
                            SelectOption(editor, k);
                            break;
                        }
                    }
                    break;
                }
            }
            // Field i was the row's last; a line that ends there carries no
            // further rows and is complete as it is.
            if (complete && fields.size() <= i + 1)
                break;
        }
    }

    if (last != QLatin1String(">"))
        WriteLog(tr("Трекер не в командном режиме"), lkGeneral);
}

void TfmMain::DefaultProcessor(int page, int command, int, int, const QString& answer) {
    ProcessAnswer(page, command, answer, true);
}

void TfmMain::NonPollProcessor(int page, int command, int, int, const QString& answer) {
    ProcessAnswer(page, command, answer, false);
}

void TfmMain::ExitCmdProcessor(int, int, int, int, const QString&) {
    InCommandMode = false;
    UpdateLinkStatus();
}

void TfmMain::RegisterProcessors() {
    const TPollProcessor byDefault = [this](int page, int command, int row, int param,
                                            const QString& answer) {
        DefaultProcessor(page, command, row, param, answer);
    };
    RegisterPollProcessor(QString(), byDefault);
    RegisterPollProcessor(QStringLiteral("default"), byDefault);
    RegisterPollProcessor(QStringLiteral("nonpoll"),
                          [this](int page, int command, int row, int param, const QString& answer) {
                              NonPollProcessor(page, command, row, param, answer);
                          });
    RegisterPollProcessor(QStringLiteral("exitcmd"),
                          [this](int page, int command, int row, int param, const QString& answer) {
                              ExitCmdProcessor(page, command, row, param, answer);
                          });
}
