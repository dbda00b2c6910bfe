#include "CliManual.h"

#include "CliHelp.h"
#include "CliOptions.h"
#include "CliText.h"
#include "commands/CommandTable.h"

namespace {

// Text safe in troff: backslashes written out, hyphens as minus signs (so
// that options can be searched and copied), no line taken for a request.
QString Troff(const QString& text) {
    QString out = text;
    out.replace(QLatin1Char('\\'), QStringLiteral("\\e"));
    out.replace(QLatin1Char('-'), QStringLiteral("\\-"));
    if (out.startsWith(QLatin1Char('.')) || out.startsWith(QLatin1Char('\'')))
        out.prepend(QStringLiteral("\\&"));
    return out;
}

QString OptionItems(const QVector<TCliOption>& options) {
    QString text;
    for (const TCliOption& o : options) {
        text += QStringLiteral(".TP\n\\fB") + Troff(QStringLiteral("--") + QLatin1String(o.Name)) +
                QStringLiteral("\\fR");
        if (o.Argument)
            text +=
                QStringLiteral(" \\fI") + Troff(QLatin1String(o.Argument)) + QStringLiteral("\\fR");
        text += QLatin1Char('\n') + Troff(CliText(o.Help)) + QLatin1Char('\n');
    }
    return text;
}

QString Section(const QString& name) {
    return QStringLiteral(".SH ") + name + QLatin1Char('\n');
}

QString Words(const QStringList& words) {
    return words.join(QLatin1Char(' '));
}

} // namespace

QString ManPage(const QString& version) {
    QString page = QStringLiteral(".TH VELMORA\\-CLI 1 \"\" \"Velmora %1\" \"User Commands\"\n")
                       .arg(Troff(version));
    QString summary = ToolSummary();
    if (summary.endsWith(QLatin1Char('.')))
        summary.chop(1); // a man page's name line ends without one
    page += Section(QStringLiteral("NAME")) + QStringLiteral("velmora\\-cli \\- ") +
            Troff(summary) + QLatin1Char('\n');
    page += Section(QStringLiteral("SYNOPSIS")) +
            QStringLiteral(".B velmora\\-cli\n.I COMMAND\n[\\fIOPTIONS\\fR] [\\fIFILES\\fR]\n");
    page += Section(QStringLiteral("DESCRIPTION")) + Troff(RunRules()) + QLatin1Char('\n');
    page += Section(QStringLiteral("COMMANDS"));
    for (const TCliCommand& c : CliCommands()) {
        page += QStringLiteral(".SS ") + Troff(QLatin1String(c.Name)) +
                QStringLiteral("\n.B velmora\\-cli ") + Troff(QLatin1String(c.Synopsis)) +
                QStringLiteral("\n.PP\n") + Troff(CliText(c.Description)) + QLatin1Char('\n');
        QVector<TCliOption> own = c.Options;
        if (!c.LinkOptions)
            own.append(SettingsOption());
        page += OptionItems(own);
        if (c.LinkOptions)
            page += QStringLiteral(".PP\n") +
                    Troff(TCli::tr("И общие параметры (см. COMMON OPTIONS).")) + QLatin1Char('\n');
    }
    page += Section(QStringLiteral("COMMON OPTIONS")) + OptionItems(LinkOptions()) +
            QStringLiteral(".TP\n.B \\-h, \\-\\-help\n") +
            Troff(TCli::tr("Показать справку (также: velmora-cli КОМАНДА --help).")) +
            QLatin1Char('\n');
    page += Section(QStringLiteral("EXIT STATUS"));
    for (const int exit : {ceSuccess, ceFailed, ceUsage})
        page += QStringLiteral(".TP\n.B %1\n").arg(exit) + Troff(ExitStatusText(exit)) +
                QLatin1Char('\n');
    page += Section(QStringLiteral("FILES")) +
            QStringLiteral(".TP\n.I ~/.config/velmora/Velmora.ini\n") +
            Troff(TCli::tr("Настройки программы: язык, порт, линия, тайм-ауты, пароли (общие с "
                           "окном velmora).")) +
            QStringLiteral("\n.TP\n.I /usr/share/velmora/cmdprofile.xml\n") +
            Troff(TCli::tr("Поставляемый профиль команд; собственный профиль оператора рядом с "
                           "Velmora.ini заменяет его.")) +
            QStringLiteral("\n.TP\n.I ~/.local/share/velmora/register.sqlite\n") +
            Troff(TCli::tr("Журнал трекеров, когда [Register] Database= и --register не задают "
                           "другой.")) +
            QStringLiteral("\n.TP\n.I /usr/share/velmora/velmora\\-cli.ENU\n") +
            Troff(TCli::tr("Английский языковой модуль (без него сообщения на русском).")) +
            QLatin1Char('\n');
    return page;
}

QString BashCompletion() {
    QStringList commands;
    QStringList valued; // options whose argument is the next word
    QString cases;
    for (const TCliCommand& c : CliCommands()) {
        commands << QLatin1String(c.Name);
        QStringList names{QStringLiteral("--help")};
        for (const TCliOption& o : OptionsOf(c))
            names << QStringLiteral("--") + QLatin1String(o.Name);
        cases +=
            QStringLiteral("    %1) options=\"%2\"; files=%3 ;;\n")
                .arg(QLatin1String(c.Name), Words(names), QLatin1String(c.TakesFiles ? "1" : "0"));
    }
    QStringList fileOptions, portOptions;
    for (const TCliOption& o : AllCliOptions()) {
        const QString name = QStringLiteral("--") + QLatin1String(o.Name);
        if (o.Argument)
            valued << name;
        if (o.Kind == akFile)
            fileOptions << name;
        else if (o.Kind == akPort)
            portOptions << name;
    }
    return QStringLiteral(
               "# bash completion for velmora-cli; generated from its command table.\n"
               "_velmora_cli() {\n"
               "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
               "  local commands=\"%1\" valued=\" %2 \" command= options= files=0 i\n"
               "  COMPREPLY=()\n"
               "  case \" %3 \" in *\" $prev \"*)\n"
               "    compopt -o filenames 2>/dev/null\n"
               "    COMPREPLY=($(compgen -f -- \"$cur\")); return ;;\n"
               "  esac\n"
               "  case \" %4 \" in *\" $prev \"*)\n"
               "    COMPREPLY=($(compgen -W \"$(echo /dev/tty* /dev/serial/by-id/*)\" -- "
               "\"$cur\"))\n"
               "    return ;;\n"
               "  esac\n"
               "  [[ $valued == *\" $prev \"* ]] && return\n"
               "  for ((i = 1; i < COMP_CWORD; i++)); do\n"
               "    if [[ $valued == *\" ${COMP_WORDS[i]} \"* ]]; then ((i++)); continue; fi\n"
               "    [[ ${COMP_WORDS[i]} == -* ]] && continue\n"
               "    command=${COMP_WORDS[i]}; break\n"
               "  done\n"
               "  case $command in\n"
               "%5"
               "    '') COMPREPLY=($(compgen -W \"$commands help --help --ini\" -- \"$cur\"))"
               "; return ;;\n"
               "    help) COMPREPLY=($(compgen -W \"$commands\" -- \"$cur\")); return ;;\n"
               "    *) return ;;\n"
               "  esac\n"
               "  if [[ $cur == -* || $files == 0 ]]; then\n"
               "    COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
               "  else\n"
               "    compopt -o filenames 2>/dev/null\n"
               "    COMPREPLY=($(compgen -f -- \"$cur\"))\n"
               "  fi\n"
               "}\n"
               "complete -F _velmora_cli velmora-cli\n")
        .arg(Words(commands), Words(valued), Words(fileOptions), Words(portOptions), cases);
}
