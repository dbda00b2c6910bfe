#include "CliInputs.h"

#include "base/IniFile.h"
#include "profile/DevCommands.h"
#include "profile/ProfileLoader.h"
#include "settings/InstallPaths.h"
#include "settings/Settings.h"

#include <QFile>
#include <QFileInfo>

// The profile the window would load: beside the program, or for an installed
// one the user's own before the shipped one.
QString DefaultProfilePath() {
    return ProgramPaths().ProfilePath;
}

bool LoadProfileFor(const TCliOptions& options, QString* error) {
    const QString path = options.Profile.isEmpty() ? DefaultProfilePath() : options.Profile;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read the profile %1: %2").arg(path, file.errorString());
        return false;
    }
    LoadCommandProfileFromData(file.readAll());
    int commands = 0;
    for (const TCmdPage& page : DevCommands)
        commands += int(page.Commands.size());
    if (commands == 0) {
        *error = QStringLiteral("the profile %1 holds no command").arg(path);
        return false;
    }
    return true;
}

bool ReadLinkSettingsFor(const TCliOptions& options, TLinkSettings* settings, QString* error) {
    QString path = SettingsFilePath();
    if (!options.Ini.isEmpty()) {
        path = options.Ini;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read the settings file %1: %2")
                         .arg(path, file.errorString());
            return false;
        }
    }
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
