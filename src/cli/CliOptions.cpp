#include "CliOptions.h"

#include "CliHelp.h"
#include "CliText.h"
#include "commands/CommandTable.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QSet>

namespace {

constexpr int kMaxConnectTimeoutSec = 24 * 3600;

QList<QCommandLineOption> ParserOptions() {
    QList<QCommandLineOption> options;
    for (const TCliOption& o : AllCliOptions()) {
        const QString name = QLatin1String(o.Name);
        options.append(o.Argument
                           ? QCommandLineOption(name, CliText(o.Help), QLatin1String(o.Argument))
                           : QCommandLineOption(name, CliText(o.Help)));
    }
    options.append(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                      TCli::tr("Показать справку.")));
    return options;
}

TCliParse Usage(const QString& message) {
    TCliParse r;
    r.Exit = ceUsage;
    r.Text = QStringLiteral("velmora-cli: ") + message + QLatin1Char('\n') +
             TCli::tr("Попробуйте 'velmora-cli --help'.") + QLatin1Char('\n');
    return r;
}

TCliParse Help(const QString& text) {
    TCliParse r;
    r.Text = text;
    return r;
}

// The options of the link, in their fields; a usage error or empty.
QString TakeLinkOptions(const QCommandLineParser& parser, TCliOptions& o) {
    o.Ports = parser.values(QStringLiteral("port"));
    o.Profile = parser.value(QStringLiteral("profile"));
    o.Ini = parser.value(QStringLiteral("ini"));
    o.PasswordSet = parser.isSet(QStringLiteral("password"));
    o.Password = parser.value(QStringLiteral("password"));
    o.MasterSet = parser.isSet(QStringLiteral("master"));
    o.Master = parser.value(QStringLiteral("master"));
    o.LogFile = parser.value(QStringLiteral("log"));
    o.ReportFile = parser.value(QStringLiteral("report"));
    o.Json = parser.isSet(QStringLiteral("json"));
    if (parser.isSet(QStringLiteral("speed")) &&
        !ReadBoundedInt(parser.value(QStringLiteral("speed")), 1, INT_MAX, &o.Speed))
        return TCli::tr("--speed требует положительного числа бод");
    if (parser.isSet(QStringLiteral("connect-timeout")) &&
        !ReadBoundedInt(parser.value(QStringLiteral("connect-timeout")), 1, kMaxConnectTimeoutSec,
                        &o.ConnectTimeoutSec))
        return TCli::tr("--connect-timeout требует числа секунд от 1 до %1")
            .arg(kMaxConnectTimeoutSec);
    QSet<QString> seen;
    for (const QString& port : std::as_const(o.Ports)) {
        if (port.trimmed().isEmpty())
            return TCli::tr("--port требует имени порта");
        if (seen.contains(port))
            return TCli::tr("порт %1 указан дважды").arg(port);
        seen.insert(port);
    }
    return QString();
}

} // namespace

QString TCliOptions::Value(const char* name) const {
    const QStringList values = Given.value(QLatin1String(name));
    return values.isEmpty() ? QString() : values.constLast();
}

TCliParse ParseCliArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(ParserOptions());
    if (!parser.parse(QStringList{QStringLiteral("velmora-cli")} + arguments))
        return Usage(parser.errorText());

    QStringList positional = parser.positionalArguments();
    const bool help = parser.isSet(QStringLiteral("help"));
    if (positional.isEmpty())
        return help ? Help(ToolHelp()) : Usage(TCli::tr("не задана команда"));
    const QString name = positional.takeFirst();
    if (name == QLatin1String("help")) {
        if (positional.isEmpty())
            return Help(ToolHelp());
        const TCliCommand* command = FindCliCommand(positional.first());
        return command ? Help(CommandHelp(*command))
                       : Usage(TCli::tr("неизвестная команда '%1'").arg(positional.first()));
    }
    const TCliCommand* command = FindCliCommand(name);
    if (!command)
        return Usage(TCli::tr("неизвестная команда '%1'").arg(name));
    if (help)
        return Help(CommandHelp(*command));

    // Options another command takes are refused here rather than ignored.
    const QVector<TCliOption> allowed = OptionsOf(*command);
    const auto takes = [&allowed](const QString& option) {
        return std::any_of(allowed.begin(), allowed.end(), [&option](const TCliOption& o) {
            return option == QLatin1String(o.Name);
        });
    };
    TCliParse r;
    TCliOptions& o = r.Options;
    for (const QString& used : parser.optionNames()) {
        const QString longName = used == QLatin1String("h") ? QStringLiteral("help") : used;
        if (!takes(longName))
            return Usage(TCli::tr("'%1' не принимает --%2").arg(name, longName));
        o.Given.insert(longName, parser.values(longName));
    }
    o.Command = name;
    o.Files = positional;
    const QString linkError = TakeLinkOptions(parser, o);
    if (!linkError.isEmpty())
        return Usage(linkError);
    for (const TCliOption& option : command->Options)
        if (option.Required && !o.IsSet(option.Name))
            return Usage(TCli::tr("'%1' требует %2").arg(name, OptionLeft(option)));
    if (command->Check) {
        const QString error = command->Check(o);
        if (!error.isEmpty())
            return Usage(error);
    }
    r.Run = true;
    r.Command = command;
    return r;
}

QString SettingsArgument(const QStringList& arguments) {
    // The parser proper would refuse what is not yet known to be wrong.
    QString ini;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        for (const QString& form : {QStringLiteral("--ini"), QStringLiteral("-ini")}) {
            if (a == form && i + 1 < arguments.size())
                ini = arguments[i + 1];
            else if (a.startsWith(form + QLatin1Char('=')))
                ini = a.mid(form.size() + 1);
        }
        if (a == QLatin1String("--"))
            break;
    }
    return ini;
}

QString CommandArgument(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(ParserOptions());
    // Whatever is wrong here, the parse proper says.
    parser.parse(QStringList{QStringLiteral("velmora-cli")} + arguments);
    const QStringList positional = parser.positionalArguments();
    return positional.isEmpty() ? QString() : positional.first();
}

bool ReadBoundedInt(const QString& text, int low, int high, int* value) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < low || v > high)
        return false;
    *value = v;
    return true;
}

QString PortBaseName(const QString& port) {
    const QString name = QFileInfo(port).fileName();
    return name.isEmpty() ? port : name;
}

QString OutputFileFor(const QString& pattern, const QString& port) {
    QString out = pattern;
    out.replace(QLatin1String(kPortPlaceholder), PortBaseName(port));
    return out;
}
