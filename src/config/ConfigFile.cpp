#include "ConfigFile.h"

#include "ConfigFormat.h"
#include "ConfigInflate.h"
#include "ConfigReader.h"
#include "ValuesLoadSink.h"
#include "base/AtomicFile.h"
#include "base/Translate.h"
#include "profile/HeldValues.h"
#include "profile/ParamValues.h"

#include <QFile>
#include <QRegularExpression>

bool TConfigReport::MaskMatches(const QString& mask, const QString& text) {
    const QRegularExpression re(mask);
    return !re.isValid() || re.match(text).hasMatch();
}

TConfigFileResult SaveConfiguration(const TParamValues& values, QIODevice& out,
                                    TConfigReport& report) {
    TConfigFileResult result;
    TConfigWriter writer(&out);
    writer.WriteHeader();
    for (int page = 0; page < DevCommands.size() && !writer.Failed(); ++page) {
        const QVector<TDevCommand>& commands = DevCommands[page].Commands;
        for (int command = 0; command < commands.size() && !writer.Failed(); ++command) {
            const TDevCommand& cmd = commands[command];
            if (!cmd.ExportData)
                continue;
            if (!values.HasCommand(page, command)) {
                report.Log(TrMain("Команда %1 не найдена, пропущена").arg(cmd.CommandName));
                continue;
            }
            // A command the tracker does not support keeps no values worth
            // saving; nor does one the store holds nothing of (a read that
            // did not reach it): a default never stands in for a value.
            if (!values.CommandUsable(page, command) ||
                (!cmd.Parameters.isEmpty() && !HoldsCommand(values, page, command)))
                continue;
            writer.BeginCommand(cmd.CommandName);
            for (int row = 0; row < cmd.RowCount(); ++row) {
                bool rowHeld = false;
                for (int p = 0; p < cmd.Parameters.size() && !rowHeld; ++p)
                    rowHeld = values.Held({page, command, row, p}) != 0;
                // A command without parameters keeps its one empty row.
                if (!rowHeld && !cmd.Parameters.isEmpty())
                    continue;
                writer.BeginRow(row);
                for (int p = 0; p < cmd.Parameters.size(); ++p) {
                    const TCmdParameter& param = cmd.Parameters[p];
                    const TCmdAddress at{page, command, row, p};
                    const int held = values.Held(at);
                    if (held == 0 && values.HasValue(at))
                        continue;
                    const bool enabled =
                        !param.Optional || !values.HasSwitch(at) || values.ParameterEnabled(at);
                    if (!values.HasValue(at))
                        report.Log(TrMain("Команда %1, параметр %2 не найден")
                                       .arg(cmd.CommandName)
                                       .arg(p));
                    if (param.ParamKind > pkOption)
                        report.Log(TrMain("Команда %1, неизвестный тип параметра %2")
                                       .arg(cmd.CommandName)
                                       .arg(p));
                    // A switch without a value: an empty element, which loads
                    // the switch alone.
                    writer.WriteParameter(p, param.Optional, enabled,
                                          held & hpValue ? values.WireText(at) : QString());
                }
                writer.EndRow();
            }
            writer.EndCommand();
        }
    }
    writer.WriteFooter();
    if (!writer.Close()) {
        result.Status = cfWriteError;
        result.Error = writer.ErrorString();
    }
    return result;
}

TConfigFileResult SaveConfigurationFile(const TParamValues& values, const QString& fileName,
                                        TConfigReport& report) {
    // A save that fails part-way (full disk, a crash, a second Ctrl+C) must
    // leave the file that was there: written beside it, swapped in at the end.
    TAtomicFile file(fileName);
    if (!file.Open()) {
        report.Log(TrMain("Не могу создать файл, ошибка=") + file.errorString());
        return {cfOpenError, file.errorString()};
    }
    const TConfigFileResult result = SaveConfiguration(values, file, report);
    if (!result.Ok())
        return result; // the file that was there stays
    if (!file.Commit())
        return {cfWriteError, file.errorString()};
    return result;
}

TConfigFileResult LoadConfiguration(QIODevice& in, TParamValues& values, TConfigReport& report) {
    const TConfigInflateResult inflated = InflateConfiguration(in);
    switch (inflated.Status) {
    case isTooLarge:
        report.Log(TrMain("Входной файл слишком велик"));
        return {cfTooLarge, QString()};
    case isStreamError:
        return {cfStreamError, inflated.Error};
    case isComplete:
        break;
    }
    TValuesLoadSink sink(values, report);
    if (!LoadConfigurationText(inflated.Text, sink))
        return {cfStructure, QString()};
    return {};
}

TConfigFileResult LoadConfigurationFile(const QString& fileName, TParamValues& values,
                                        TConfigReport& report) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        report.Log(TrMain("Не могу открыть файл, ошибка=") + file.errorString());
        return {cfOpenError, file.errorString()};
    }
    return LoadConfiguration(file, values, report);
}
