#include "CliHelp.h"

#include "CliOptions.h"
#include "CliText.h"
#include "commands/CommandTable.h"

namespace {

constexpr int kHelpWidth = 79;
constexpr int kHelpOptionColumn = 29;

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

QString OptionLine(const QString& leftText, const QString& help) {
    const QString left =
        (QStringLiteral("  ") + leftText).leftJustified(kHelpOptionColumn - 1) + QLatin1Char(' ');
    return left + Wrap(help, kHelpOptionColumn, int(left.size())) + QLatin1Char('\n');
}

QString OptionHelp(const QVector<TCliOption>& options) {
    QString text;
    for (const TCliOption& o : options)
        text += OptionLine(OptionLeft(o), CliText(o.Help));
    return text;
}

} // namespace

QString OptionLeft(const TCliOption& option) {
    QString left = QStringLiteral("--") + QLatin1String(option.Name);
    if (option.Argument)
        left += QLatin1Char(' ') + QLatin1String(option.Argument);
    return left;
}

QString ToolSummary() {
    return TCli::tr("чтение, запись, сравнение и наблюдение трекеров без окна.");
}

QString ExitStatusText(int exit) {
    switch (exit) {
    case ceSuccess:
        return TCli::tr("все трекеры закончили ok");
    case ceFailed:
        return TCli::tr("какой-то нет (или Ctrl+C)");
    default:
        return TCli::tr("неверный вызов или нечитаемые входные данные");
    }
}

QString RunRules() {
    return TCli::tr("Несколько портов работают одновременно, по трекеру на каждом. Параметры "
                    "можно ставить до и после файлов. Каждый порт заканчивается словом ok, "
                    "partial, differs, not stored, failed, interrupted или (check) unfit.");
}

QString ToolHelp() {
    QString text = QStringLiteral("velmora-cli: ") + ToolSummary() + QStringLiteral("\n\n") +
                   TCli::tr("Вызов: velmora-cli КОМАНДА [ПАРАМЕТРЫ] [ФАЙЛЫ]") +
                   QStringLiteral("\n\n") + TCli::tr("Команды:") + QLatin1Char('\n');
    for (const TCliCommand& c : CliCommands())
        text += QStringLiteral("  ") + QLatin1String(c.Synopsis) + QLatin1Char('\n');
    text += QLatin1Char('\n') + TCli::tr("Общие параметры:") + QLatin1Char('\n') +
            OptionHelp(LinkOptions()) +
            OptionLine(QStringLiteral("-h, --help"),
                       TCli::tr("Показать справку (также: velmora-cli КОМАНДА --help).")) +
            QLatin1Char('\n') +
            Wrap(RunRules() + QLatin1Char(' ') +
                     TCli::tr("Код выхода: 0 %1, 1 %2, 2 %3.")
                         .arg(ExitStatusText(ceSuccess), ExitStatusText(ceFailed),
                              ExitStatusText(ceUsage)),
                 0, 0) +
            QLatin1Char('\n');
    return text;
}

QString CommandHelp(const TCliCommand& c) {
    QString text = TCli::tr("Вызов:") + QStringLiteral(" velmora-cli ") +
                   QLatin1String(c.Synopsis) + QStringLiteral("\n\n") +
                   Wrap(CliText(c.Description), 0, 0) + QLatin1Char('\n');
    QVector<TCliOption> own = c.Options;
    if (!c.LinkOptions)
        own.append(SettingsOption());
    text += QLatin1Char('\n') + TCli::tr("Параметры:") + QLatin1Char('\n') + OptionHelp(own);
    if (c.LinkOptions)
        text += QLatin1Char('\n') + TCli::tr("Общие параметры:") + QLatin1Char('\n') +
                OptionHelp(CommonOptionsOf(c));
    return text;
}
