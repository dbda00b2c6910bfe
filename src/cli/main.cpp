// velmora-cli: the batch and headless front end on the program's link,
// value and file code.

#include "CliManual.h"
#include "CliOptions.h"
#include "CliOutput.h"
#include "CliRunner.h"
#include "base/IniFile.h"
#include "commands/CommandTable.h"
#include "settings/Langs.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QSaveFile>
#include <memory>

namespace {

// The build writes the man page and the completion script with these; the
// man page is English whatever the settings say.
constexpr char kManOption[] = "--man";
constexpr char kCompletionOption[] = "--bash-completion";
constexpr int kEnglishLocale = LanguageLocales[1];

bool WriteTextFile(const QString& path, const QString& text) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit();
}

// A command that draws (the check's report) gets a widget application on
// the offscreen platform: it never shows a window, so it needs no display.
// Every other command stays a core application and starts fast.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const TCliCommand* command = FindCliCommand(CommandArgument(arguments));
    if (!command || !command->Draws)
        return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv) {
    const std::unique_ptr<QCoreApplication> app = MakeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmora-cli"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (arguments.size() == 2 && (arguments.first() == QLatin1String(kManOption) ||
                                  arguments.first() == QLatin1String(kCompletionOption))) {
        SetInterfaceLanguage(kEnglishLocale);
        const QString text = arguments.first() == QLatin1String(kManOption)
                                 ? ManPage(QStringLiteral(VELMORA_VERSION))
                                 : BashCompletion();
        return WriteTextFile(arguments[1], text) ? ceSuccess : ceFailed;
    }
    // The language is the window's, from the settings file the run uses.
    const QString ini = SettingsArgument(arguments);
    SetInterfaceLanguageFrom(TIniFile(ini.isEmpty() ? SettingsFilePath() : ini));
    const TCliParse parsed = ParseCliArguments(arguments);
    if (!parsed.Run) {
        PutText(parsed.Exit == ceSuccess ? stdout : stderr, parsed.Text);
        return parsed.Exit;
    }
    return RunCliCommand(*parsed.Command, parsed.Options);
}
