#include "CommandTable.h"

#include <algorithm>

// Each command's row, defined in its own file.
TCliCommand PortsCommand();
TCliCommand ReadCommand();
TCliCommand WriteCommand();
TCliCommand DiffCommand();
TCliCommand StatusCommand();
TCliCommand CheckProfileCommand();
TCliCommand HistoryCommand();
TCliCommand ShowCommand();
TCliCommand RestoreCommand();
TCliCommand CheckCommand();

const QVector<TCliCommand>& CliCommands() {
    static const QVector<TCliCommand> table = {
        PortsCommand(),        ReadCommand(),    WriteCommand(), DiffCommand(),    StatusCommand(),
        CheckProfileCommand(), HistoryCommand(), ShowCommand(),  RestoreCommand(), CheckCommand(),
    };
    return table;
}

const TCliCommand* FindCliCommand(const QString& name) {
    for (const TCliCommand& c : CliCommands())
        if (name == QLatin1String(c.Name))
            return &c;
    return nullptr;
}

TCliOption SwitchOption(const char* name, const char* help) {
    return TCliOption{name, nullptr, help, akNone, false};
}

TCliOption ValueOption(const char* name, const char* argument, const char* help, TCliArgKind kind,
                       bool required) {
    return TCliOption{name, argument, help, kind, required};
}

TCliOption PortOption(bool required) {
    return ValueOption(
        "port", "P",
        QT_TRANSLATE_NOOP("TCli",
                          "Последовательный порт (можно несколько раз, по трекеру на порт)."),
        akPort, required);
}

TCliOption JsonOption() {
    return SwitchOption("json", QT_TRANSLATE_NOOP("TCli", "Строки JSON на stdout вместо текста."));
}

TCliOption RegisterOption() {
    return ValueOption("register", "URL|PATH",
                       QT_TRANSLATE_NOOP("TCli", "Журнал трекеров: файл SQLite или "
                                                 "postgresql://user@host:port/dbname (по "
                                                 "умолчанию [Register] Database= настроек, иначе "
                                                 "журнал программы)."),
                       akFile);
}

const TCliOption& SettingsOption() {
    static const TCliOption ini = ValueOption(
        "ini", "FILE",
        QT_TRANSLATE_NOOP("TCli", "Файл настроек: язык, параметры линии, тайм-ауты, повторы, "
                                  "пароли и способ входа (по умолчанию Velmora.ini программы)."),
        akFile);
    return ini;
}

const QVector<TCliOption>& LinkOptions() {
    static const QVector<TCliOption> options = {
        ValueOption("profile", "FILE",
                    QT_TRANSLATE_NOOP("TCli", "Профиль команд (по умолчанию cmdprofile.xml "
                                              "программы)."),
                    akFile),
        SettingsOption(),
        ValueOption("password", "PW", QT_TRANSLATE_NOOP("TCli", "Пароль пользователя."), akText),
        ValueOption("master", "PW", QT_TRANSLATE_NOOP("TCli", "Мастер-пароль."), akText),
        ValueOption("speed", "BAUD", QT_TRANSLATE_NOOP("TCli", "Скорость линии в бодах."), akText),
        ValueOption("connect-timeout", "SECONDS",
                    QT_TRANSLATE_NOOP("TCli", "Сколько пытаться войти в командный режим "
                                              "(по умолчанию 30)."),
                    akText),
        ValueOption("log", "FILE",
                    QT_TRANSLATE_NOOP("TCli", "Журнал обмена с временем и портом в каждой строке "
                                              "(пароли как \"*\")."),
                    akFile),
        ValueOption("report", "FILE.csv", QT_TRANSLATE_NOOP("TCli", "Строки результатов в CSV."),
                    akFile),
        JsonOption(),
        RegisterOption(),
        SwitchOption("no-register",
                     QT_TRANSLATE_NOOP("TCli", "Ничего не записывать в журнал трекеров.")),
    };
    return options;
}

QVector<TCliOption> CommonOptionsOf(const TCliCommand& command) {
    QVector<TCliOption> common;
    for (const TCliOption& o : LinkOptions())
        if (std::none_of(command.Options.begin(), command.Options.end(),
                         [&o](const TCliOption& own) { return !qstrcmp(own.Name, o.Name); }))
            common.append(o);
    return common;
}

QVector<TCliOption> OptionsOf(const TCliCommand& command) {
    QVector<TCliOption> options = command.Options;
    if (command.LinkOptions)
        options += CommonOptionsOf(command);
    else
        options.append(SettingsOption());
    return options;
}

QVector<TCliOption> AllCliOptions() {
    QVector<TCliOption> all;
    QStringList names;
    for (const TCliCommand& c : CliCommands())
        for (const TCliOption& o : OptionsOf(c))
            if (!names.contains(QLatin1String(o.Name))) {
                names << QLatin1String(o.Name);
                all.append(o);
            }
    return all;
}
