#include "CliOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace {

constexpr int kMaxConnectTimeoutSec = 24 * 3600;
constexpr int kHelpWidth = 79;
constexpr int kHelpOptionColumn = 29;

struct TCommandInfo {
    TCliCommand Command;
    const char* Name;
    const char* Synopsis;
    const char* Description;
    QStringList Options; // names of the options it takes besides the common ones
};

const QStringList kCommon = {
    QStringLiteral("profile"), QStringLiteral("ini"),    QStringLiteral("password"),
    QStringLiteral("master"),  QStringLiteral("speed"),  QStringLiteral("connect-timeout"),
    QStringLiteral("log"),     QStringLiteral("report"), QStringLiteral("json")};

const QVector<TCommandInfo>& Commands() {
    static const QVector<TCommandInfo> commands = {
        {ccPorts,
         "ports",
         "ports [--json]",
         "Lists every serial port present with what the system knows of it (description, "
         "manufacturer, USB vendor:product, serial number) and its stable /dev/serial/by-id "
         "name where there is one.",
         {}},
        {ccRead,
         "read",
         "read --port P [--port P ...] --out FILE.zxml|PATTERN",
         "Enters command mode, reads every readable command of the profile and saves the values "
         "the tracker sent as a configuration file. A command whose answer is missing, short or "
         "not understood is named and its missing values left out: the result is then "
         "'partial'. With several ports the output name must hold {port}, which becomes the "
         "port's base name, e.g. --out units/{port}.zxml.",
         {QStringLiteral("port"), QStringLiteral("out")}},
        {ccWrite,
         "write",
         "write --port P [--port P ...] FILE.zxml [--store] [--no-verify]",
         "Loads the file with the program's validation (structural errors stop before anything "
         "is sent), reads what the tracker holds of the commands concerned, then writes page "
         "by page only the rows the file holds values of, each as the tracker holds it with the "
         "file's values over it. Rows that cannot be sent safely fail the port before its first "
         "write. Reads the written commands back and compares (unless --no-verify); every value "
         "the tracker did not take is listed. With --store the settings are stored in flash "
         "once all went through; a store the tracker does not confirm is 'not stored'.",
         {QStringLiteral("port"), QStringLiteral("store"), QStringLiteral("no-verify")}},
        {ccDiff,
         "diff",
         "diff --port P FILE.zxml  |  diff A.zxml B.zxml",
         "Compares the values of a tracker (or of a second file) with a file: one line per "
         "differing parameter. Exit status 0 only when they are equal.",
         {QStringLiteral("port")}},
        {ccStatus,
         "status",
         "status --port P [--count N] [--json]",
         "Starts the tracker's status stream and prints each decoded report (or one JSON object "
         "per report with --json) until N reports came or Ctrl+C; then stops the stream.",
         {QStringLiteral("port"), QStringLiteral("count")}},
        {ccCheckProfile,
         "check-profile",
         "check-profile [FILE]",
         "Loads a command profile as the program does and lists what will hurt its author "
         "later, one line each. Exit status 0 when there is nothing to say.",
         {}},
    };
    return commands;
}

const TCommandInfo* FindInfo(const QString& name) {
    for (const TCommandInfo& c : Commands())
        if (name == QLatin1String(c.Name))
            return &c;
    return nullptr;
}

QList<QCommandLineOption> AllOptions() {
    return {
        {QStringLiteral("port"), QStringLiteral("Serial port (repeatable for several trackers)."),
         QStringLiteral("P")},
        {QStringLiteral("out"),
         QStringLiteral("Configuration file to write; {port} becomes the "
                        "port's base name."),
         QStringLiteral("FILE")},
        {QStringLiteral("store"), QStringLiteral("Store the settings in flash after writing.")},
        {QStringLiteral("no-verify"), QStringLiteral("Do not read the written commands back.")},
        {QStringLiteral("count"), QStringLiteral("Stop after N reports (default: until Ctrl+C)."),
         QStringLiteral("N")},
        {QStringLiteral("profile"),
         QStringLiteral("Command profile (default: the program's "
                        "cmdprofile.xml)."),
         QStringLiteral("FILE")},
        {QStringLiteral("ini"),
         QStringLiteral("Settings file for line settings, time-outs, "
                        "retries, passwords and entry method (default: "
                        "the program's Velmora.ini)."),
         QStringLiteral("FILE")},
        {QStringLiteral("password"), QStringLiteral("User password."), QStringLiteral("PW")},
        {QStringLiteral("master"), QStringLiteral("Master password."), QStringLiteral("PW")},
        {QStringLiteral("speed"), QStringLiteral("Line speed in baud."), QStringLiteral("BAUD")},
        {QStringLiteral("connect-timeout"),
         QStringLiteral("Give up entering command mode after this long (default 30)."),
         QStringLiteral("SECONDS")},
        {QStringLiteral("log"),
         QStringLiteral("Exchange log with a time stamp and the port on "
                        "every line (passwords as \"*\")."),
         QStringLiteral("FILE")},
        {QStringLiteral("report"), QStringLiteral("The result lines as CSV."),
         QStringLiteral("FILE.csv")},
        {QStringLiteral("json"), QStringLiteral("JSON lines on stdout instead of text.")},
        {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show help.")},
    };
}

// Words filled into lines of kHelpWidth, every line but the first indented.
QString Wrap(const QString& text, int indent, int first) {
    QString out;
    int column = first;
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        if (column > indent && column + 1 + word.size() > kHelpWidth) {
            out += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            column = indent;
        } else if (column > indent || (column == indent && !out.isEmpty())) {
            out += QLatin1Char(' ');
            ++column;
        }
        out += word;
        column += int(word.size());
    }
    return out;
}

QString OptionHelp(const QStringList& names) {
    QString text;
    for (const QCommandLineOption& o : AllOptions()) {
        const QString name = o.names().constLast();
        if (!names.contains(name))
            continue;
        QString left = QStringLiteral("  --") + name;
        if (!o.valueName().isEmpty())
            left += QLatin1Char(' ') + o.valueName();
        left = left.leftJustified(kHelpOptionColumn - 1) + QLatin1Char(' ');
        text +=
            left + Wrap(o.description(), kHelpOptionColumn, int(left.size())) + QLatin1Char('\n');
    }
    return text;
}

QString ToolHelp() {
    QString text = QStringLiteral(
        "velmora-cli: read, write, compare and monitor trackers without a window.\n\n"
        "Usage: velmora-cli COMMAND [OPTIONS] [FILES]\n\nCommands:\n");
    for (const TCommandInfo& c : Commands())
        text += QStringLiteral("  ") + QString::fromLatin1(c.Synopsis) + QLatin1Char('\n');
    text += QStringLiteral("\nCommon options:\n") + OptionHelp(kCommon) +
            QStringLiteral("  -h, --help").leftJustified(kHelpOptionColumn) +
            QStringLiteral("Show help (also: velmora-cli COMMAND --help).\n\n") +
            Wrap(QStringLiteral("Several ports run at the same time, one tracker each. Options "
                                "may stand before or after the file arguments. Each port "
                                "ends ok, partial, differs, not stored, failed or "
                                "interrupted. Exit status: 0 every tracker ended ok, 1 one did "
                                "not (or Ctrl+C), 2 bad usage or unreadable inputs."),
                 0, 0) +
            QLatin1Char('\n');
    return text;
}

QString CommandHelp(const TCommandInfo& c) {
    QString text = QStringLiteral("Usage: velmora-cli ") + QString::fromLatin1(c.Synopsis) +
                   QStringLiteral("\n\n") + Wrap(QString::fromLatin1(c.Description), 0, 0) +
                   QStringLiteral("\n");
    if (!c.Options.isEmpty())
        text += QStringLiteral("\nOptions:\n") + OptionHelp(c.Options);
    if (c.Command != ccPorts && c.Command != ccCheckProfile)
        text += QStringLiteral("\nCommon options:\n") + OptionHelp(kCommon);
    return text;
}

TCliParse Usage(const QString& message) {
    TCliParse r;
    r.Exit = ceUsage;
    r.Text =
        QStringLiteral("velmora-cli: ") + message + QStringLiteral("\nTry 'velmora-cli --help'.\n");
    return r;
}

TCliParse Help(const QString& text) {
    TCliParse r;
    r.Text = text;
    return r;
}

bool ReadInt(const QString& text, int low, int high, int* value) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < low || v > high)
        return false;
    *value = v;
    return true;
}

} // namespace

TCliParse ParseCliArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(AllOptions());
    if (!parser.parse(QStringList{QStringLiteral("velmora-cli")} + arguments))
        return Usage(parser.errorText());

    QStringList positional = parser.positionalArguments();
    const bool help = parser.isSet(QStringLiteral("help"));
    if (positional.isEmpty())
        return help ? Help(ToolHelp()) : Usage(QStringLiteral("no command given"));
    QString name = positional.takeFirst();
    if (name == QLatin1String("help")) {
        if (positional.isEmpty())
            return Help(ToolHelp());
        const TCommandInfo* info = FindInfo(positional.first());
        return info ? Help(CommandHelp(*info))
                    : Usage(QStringLiteral("unknown command '%1'").arg(positional.first()));
    }
    const TCommandInfo* info = FindInfo(name);
    if (!info)
        return Usage(QStringLiteral("unknown command '%1'").arg(name));
    if (help)
        return Help(CommandHelp(*info));

    // Options another command takes are refused here rather than ignored.
    QStringList allowed = info->Options;
    if (info->Command != ccPorts && info->Command != ccCheckProfile)
        allowed += kCommon;
    if (info->Command == ccPorts)
        allowed << QStringLiteral("json");
    for (const QString& used : parser.optionNames()) {
        const QString longName = used == QLatin1String("h") ? QStringLiteral("help") : used;
        if (!allowed.contains(longName))
            return Usage(QStringLiteral("'%1' does not take --%2").arg(name, longName));
    }

    TCliParse r;
    TCliOptions& o = r.Options;
    o.Command = info->Command;
    o.Ports = parser.values(QStringLiteral("port"));
    o.Files = positional;
    o.Out = parser.value(QStringLiteral("out"));
    o.Profile = parser.value(QStringLiteral("profile"));
    o.Ini = parser.value(QStringLiteral("ini"));
    o.PasswordSet = parser.isSet(QStringLiteral("password"));
    o.Password = parser.value(QStringLiteral("password"));
    o.MasterSet = parser.isSet(QStringLiteral("master"));
    o.Master = parser.value(QStringLiteral("master"));
    o.LogFile = parser.value(QStringLiteral("log"));
    o.ReportFile = parser.value(QStringLiteral("report"));
    o.Json = parser.isSet(QStringLiteral("json"));
    o.Store = parser.isSet(QStringLiteral("store"));
    o.NoVerify = parser.isSet(QStringLiteral("no-verify"));
    if (parser.isSet(QStringLiteral("speed"))) {
        int speed = 0;
        if (!ReadInt(parser.value(QStringLiteral("speed")), 1, INT_MAX, &speed))
            return Usage(QStringLiteral("--speed needs a positive number of baud"));
        o.Speed = speed;
    }
    if (parser.isSet(QStringLiteral("connect-timeout")) &&
        !ReadInt(parser.value(QStringLiteral("connect-timeout")), 1, kMaxConnectTimeoutSec,
                 &o.ConnectTimeoutSec))
        return Usage(QStringLiteral("--connect-timeout needs a number of seconds from 1 to %1")
                         .arg(kMaxConnectTimeoutSec));
    if (parser.isSet(QStringLiteral("count")) &&
        !ReadInt(parser.value(QStringLiteral("count")), 1, INT_MAX, &o.Count))
        return Usage(QStringLiteral("--count needs a positive number"));

    QSet<QString> seen;
    for (const QString& port : o.Ports) {
        if (port.trimmed().isEmpty())
            return Usage(QStringLiteral("--port needs a port name"));
        if (seen.contains(port))
            return Usage(QStringLiteral("port %1 is given twice").arg(port));
        seen.insert(port);
    }

    switch (o.Command) {
    case ccPorts:
        if (!o.Files.isEmpty())
            return Usage(QStringLiteral("'ports' takes no file"));
        break;
    case ccCheckProfile:
        if (o.Files.size() > 1)
            return Usage(QStringLiteral("'check-profile' takes one profile file at most"));
        break;
    case ccRead: {
        if (o.Ports.isEmpty())
            return Usage(QStringLiteral("'read' needs --port"));
        if (o.Out.isEmpty())
            return Usage(QStringLiteral("'read' needs --out FILE.zxml"));
        if (!o.Files.isEmpty())
            return Usage(QStringLiteral("'read' takes no file argument (use --out)"));
        if (o.Ports.size() > 1 && !o.Out.contains(QLatin1String(kPortPlaceholder)))
            return Usage(QStringLiteral("with several ports --out must hold {port}"));
        // Two ports with the same base name would write one file.
        QSet<QString> outs;
        for (const QString& port : o.Ports) {
            const QString out = QFileInfo(OutputFileFor(o.Out, port)).absoluteFilePath();
            if (outs.contains(out))
                return Usage(QStringLiteral("two ports would write %1").arg(out));
            outs.insert(out);
        }
        break;
    }
    case ccWrite:
        if (o.Ports.isEmpty())
            return Usage(QStringLiteral("'write' needs --port"));
        if (o.Files.size() != 1)
            return Usage(QStringLiteral("'write' needs exactly one configuration file"));
        break;
    case ccDiff:
        if (o.Ports.size() > 1)
            return Usage(QStringLiteral("'diff' compares one tracker at a time"));
        if (o.Ports.size() == 1 && o.Files.size() != 1)
            return Usage(QStringLiteral("'diff --port P' needs exactly one configuration file"));
        if (o.Ports.isEmpty() && o.Files.size() != 2)
            return Usage(QStringLiteral("'diff' needs --port P and a file, or two files"));
        break;
    case ccStatus:
        if (o.Ports.size() != 1)
            return Usage(QStringLiteral("'status' needs exactly one --port"));
        if (!o.Files.isEmpty())
            return Usage(QStringLiteral("'status' takes no file"));
        break;
    case ccNone:
        break;
    }
    r.Run = true;
    return r;
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
