#include "DevCommands.h"

#include <QHash>

QVector<TCmdPage> DevCommands;

namespace {

constexpr char kExitCmdProcessor[] = "exitcmd";
constexpr int kOptionFallbackIndex = 1; // the second item, when no value matches

// Names compare without regard to letter case: keys are upper-cased.
QString IndexKey(const QString& name) {
    return name.toUpper();
}

QHash<QString, QString>& CommandIndexTable() {
    static QHash<QString, QString> index;
    return index;
}

} // namespace

const QHash<QString, QString>& CommandIndex() {
    return CommandIndexTable();
}

const QHash<QString, QString>& PollProcessorDefaults() {
    static const QHash<QString, QString> defaults = {
        {IndexKey(QStringLiteral("+TEXT")), QLatin1String(kExitCmdProcessor)},
        {IndexKey(QStringLiteral("+SRBT")), QLatin1String(kExitCmdProcessor)},
    };
    return defaults;
}

const TDevCommand* CommandAt(int page, int command) {
    if (page < 0 || page >= DevCommands.size())
        return nullptr;
    const TCmdPage& p = DevCommands[page];
    if (command < 0 || command >= p.Commands.size())
        return nullptr;
    return &p.Commands[command];
}

const TDevCommand* CommandAt(const TCmdAddress& address) {
    return CommandAt(address.Page, address.Command);
}

const TCmdParameter* ParameterAt(const TCmdAddress& address) {
    const TDevCommand* command = CommandAt(address);
    if (!command || address.Param < 0 || address.Param >= command->Parameters.size())
        return nullptr;
    return &command->Parameters[address.Param];
}

const TCmdParameter* RowParameterAt(const TCmdAddress& address) {
    const TDevCommand* command = CommandAt(address);
    if (!command || address.Row < 0 || address.Row >= command->RowCount())
        return nullptr;
    return ParameterAt(address);
}

int HexValueDigits(int maxLen) {
    if (maxLen <= 0)
        return kHexDefaultMaxLen;
    return qMin(maxLen, kHexMaxDigits);
}

int DefaultOption(const TCmdParameter& param) {
    for (int i = 0; i < param.Options.size(); ++i)
        if (param.Options[i].OptionValue == param.DefaultValue)
            return i;
    return param.Options.size() > kOptionFallbackIndex ? kOptionFallbackIndex : -1;
}

TCmdAddress FindCommand(const QString& name) {
    TCmdAddress a;
    a.Page = -1;
    const auto it = CommandIndexTable().constFind(IndexKey(name));
    if (it == CommandIndexTable().constEnd())
        return a;
    const QString& value = it.value();
    const qsizetype comma = value.indexOf(QLatin1Char(','));
    bool okPage = false;
    bool okCommand = false;
    const int page = value.left(comma).toInt(&okPage);
    const int command = value.mid(comma + 1).toInt(&okCommand);
    if (comma < 0 || !okPage || !okCommand)
        return a;
    a.Page = page;
    a.Command = command;
    return a;
}

void ClearCommandIndex() {
    CommandIndexTable().clear();
}

void AddCommandIndex(const QString& name, int page, int command) {
    CommandIndexTable().insert(IndexKey(name),
                               QString::number(page) + QLatin1Char(',') + QString::number(command));
}

QString PollProcessorDefault(const QString& commandName) {
    return PollProcessorDefaults().value(IndexKey(commandName));
}
