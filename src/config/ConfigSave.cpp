#include "ConfigFormat.h"
#include "app/TfmMain.h"
#include "pages/EditorAccess.h"

#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QMessageBox>

void TfmMain::Save1Click() {
    if (SaveDialog1->exec() != QDialog::Accepted)
        return;
    const QStringList files = SaveDialog1->selectedFiles();
    if (!files.isEmpty())
        SaveConfiguration(files.first());
}

void TfmMain::SaveConfiguration(const QString& fileName) {
    QFile file(fileName);
    // Unbuffered, so that a failing write shows at once and not at close.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        WriteLog(tr("Не могу создать файл, ошибка=") + file.errorString(), lkGeneral);
        return;
    }
    QString writeError;
    {
        TConfigWriter writer(&file);
        writer.WriteHeader();
        for (int page = 0; page < DevCommands.size() && !writer.Failed(); ++page) {
            const QVector<TDevCommand>& commands = DevCommands[page].Commands;
            for (int command = 0; command < commands.size() && !writer.Failed(); ++command) {
                const TDevCommand& cmd = commands[command];
                if (!cmd.ExportData)
                    continue;
                QWidget* group = FindControl(page, command, 0, 0, crGroup);
                if (!group) {
                    WriteLog(tr("Команда %1 не найдена, пропущена").arg(cmd.CommandName),
                             lkGeneral);
                    continue;
                }
                // Only the group's own state counts, not that of its page.
                if (!group->isEnabledTo(group->parentWidget()))
                    continue;
                writer.BeginCommand(cmd.CommandName);
                for (int row = 0; row < cmd.RowCount(); ++row) {
                    writer.BeginRow(row);
                    for (int p = 0; p < cmd.Parameters.size(); ++p) {
                        const TCmdParameter& param = cmd.Parameters[p];
                        bool enabled = true;
                        if (param.Optional) {
                            if (QWidget* box = FindControl(page, command, row, p, crSwitch))
                                enabled = SwitchChecked(box);
                        }
                        QWidget* editor = FindControl(page, command, row, p, crEditor);
                        if (!editor)
                            WriteLog(
                                tr("Команда %1, параметр %2 не найден").arg(cmd.CommandName).arg(p),
                                lkGeneral);
                        QString value;
                        switch (param.ParamKind) {
                        case pkInteger:
                        case pkString:
                        case pkHex:
                            value = EditorText(editor);
                            break;
                        case pkOption: {
                            const int option = SelectedOption(editor);
                            if (option >= 0 && option < param.Options.size())
                                value = param.Options[option].OptionValue;
                            break;
                        }
                        default:
                            WriteLog(tr("Команда %1, неизвестный тип параметра %2")
                                         .arg(cmd.CommandName)
                                         .arg(p),
                                     lkGeneral);
                            break;
                        }
                        writer.WriteParameter(p, param.Optional, enabled, value);
                    }
                    writer.EndRow();
                }
                writer.EndCommand();
            }
        }
        writer.WriteFooter();
        writer.Close();
        writeError = writer.ErrorString();
    }
    file.close();
    if (!writeError.isEmpty())
        QMessageBox::critical(this, QStringLiteral("Error"), writeError);
}
