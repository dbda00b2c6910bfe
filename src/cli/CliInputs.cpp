#include "CliInputs.h"

#include "CliOutput.h"
#include "CliText.h"
#include "base/IniFile.h"
#include "config/ConfigFile.h"
#include "profile/DevCommands.h"
#include "profile/HeldValues.h"
#include "profile/ProfileLoader.h"
#include "settings/InstallPaths.h"
#include "settings/Settings.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

namespace {

// Loading a configuration file prints every message of the loader.
class TPrintingReport : public TConfigReport {
public:
    explicit TPrintingReport(const QString& file) : FFile(file) {}
    void Log(const QString& text) override {
        PutText(stderr, FFile + QStringLiteral(": ") + text + QLatin1Char('\n'));
    }

private:
    QString FFile;
};

void PutError(const QString& text) {
    PutText(stderr, QStringLiteral("velmora-cli: ") + text + QLatin1Char('\n'));
}

} // namespace

// The profile the window would load: beside the program, or for an installed
// one the user's own before the shipped one.
QString DefaultProfilePath() {
    return ProgramPaths().ProfilePath;
}

bool LoadProfileFor(const TCliOptions& options, QString* error) {
    const QString path = options.Profile.isEmpty() ? DefaultProfilePath() : options.Profile;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = TCli::tr("не удалось прочитать профиль %1: %2").arg(path, file.errorString());
        return false;
    }
    LoadCommandProfileFromData(file.readAll());
    int commands = 0;
    for (const TCmdPage& page : DevCommands)
        commands += int(page.Commands.size());
    if (commands == 0) {
        *error = TCli::tr("профиль %1 не содержит ни одной команды").arg(path);
        return false;
    }
    return true;
}

bool SettingsFileFor(const TCliOptions& options, QString* path, QString* error) {
    *path = SettingsFilePath();
    if (options.Ini.isEmpty())
        return true;
    *path = options.Ini;
    QFile file(*path);
    if (file.open(QIODevice::ReadOnly))
        return true;
    *error = TCli::tr("не удалось прочитать файл настроек %1: %2").arg(*path, file.errorString());
    return false;
}

bool ReadLinkSettingsFor(const TCliOptions& options, TLinkSettings* settings, QString* error) {
    QString path;
    if (!SettingsFileFor(options, &path, error))
        return false;
    TLinkSettings s = ReadLinkSettings(TIniFile(path));
    if (options.PasswordSet)
        s.Password = options.Password;
    if (options.MasterSet)
        s.MasterPassword = options.Master;
    if (options.Speed > 0)
        s.Speed = options.Speed;
    *settings = s;
    return true;
}

bool TFileValues::HoldsAnyCommand() const {
    for (int page = 0; page < DevCommands.size(); ++page)
        for (int c = 0; c < DevCommands[page].Commands.size(); ++c)
            if (HoldsCommand(Values, page, c))
                return true;
    return false;
}

bool LoadFileValues(const QString& file, TFileValues& out) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        PutError(TCli::tr("не удалось загрузить %1: %2").arg(file, in.errorString()));
        return false;
    }
    out.Data = in.readAll();
    QBuffer buffer(&out.Data);
    buffer.open(QIODevice::ReadOnly);
    TPrintingReport report(file);
    const TConfigFileResult r = LoadConfiguration(buffer, out.Values, report);
    switch (r.Status) {
    case cfOk:
        return true;
    case cfStructure:
        PutError(TCli::tr("%1 не подходит к профилю; ничего не отправлено").arg(file));
        return false;
    case cfOpenError:
    case cfTooLarge:
    case cfWriteError:
    case cfStreamError:
        break;
    }
    PutError(r.Error.isEmpty() ? TCli::tr("не удалось загрузить %1").arg(file)
                               : TCli::tr("не удалось загрузить %1: %2").arg(file, r.Error));
    return false;
}
