#include "CliInputs.h"

#include "base/IniFile.h"
#include "profile/DevCommands.h"
#include "profile/ProfileLoader.h"
#include "settings/InstallPaths.h"
#include "settings/Settings.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr int kMinRetryCount = 1;
constexpr int kConnectMethodStandard = 0;
constexpr int kConnectMethodFast = 1;

const QString kConnection = QStringLiteral("Connection");
const QString kDevice = QStringLiteral("Device");

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

TLinkSettings ReadLinkSettingsFile(const QString& path) {
    const TIniFile ini(path);
    const TLinkSettings def;
    TLinkSettings s;
    s.Port = ini.ReadString(kConnection, QStringLiteral("COM"), def.Port);
    s.Speed = ini.ReadInteger(kConnection, QStringLiteral("Speed"), def.Speed);
    s.DataBits = ini.ReadInteger(kConnection, QStringLiteral("DataBits"), def.DataBits);
    s.Parity = ini.ReadString(kConnection, QStringLiteral("Parity"), def.Parity);
    s.StopBits = ini.ReadString(kConnection, QStringLiteral("StopBits"), def.StopBits);
    s.Timeout = ini.ReadInteger(kConnection, QStringLiteral("Timeout"), def.Timeout);
    s.TimeoutInterval =
        ini.ReadInteger(kConnection, QStringLiteral("TimeoutInterval"), def.TimeoutInterval);
    s.TimeoutEcho = ini.ReadInteger(kConnection, QStringLiteral("TimeoutEcho"), def.TimeoutEcho);
    s.Password = ini.ReadString(kDevice, QStringLiteral("Password"), def.Password);
    s.MasterPassword =
        ini.ReadString(kDevice, QStringLiteral("MasterPassword"), def.MasterPassword);
    s.RetryCount = qMax(kMinRetryCount,
                        ini.ReadInteger(kDevice, QStringLiteral("RetryCount"), def.RetryCount));
    s.ConnectMethod =
        qBound(kConnectMethodStandard,
               ini.ReadInteger(kDevice, QStringLiteral("ConnectMethod"), def.ConnectMethod),
               kConnectMethodFast);
    s.ActivePassword = DeriveActivePassword(s.Password, s.MasterPassword);
    return s;
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
    TLinkSettings s = ReadLinkSettingsFile(path);
    if (options.PasswordSet)
        s.Password = options.Password;
    if (options.MasterSet)
        s.MasterPassword = options.Master;
    s.ActivePassword = DeriveActivePassword(s.Password, s.MasterPassword);
    if (options.Speed > 0)
        s.Speed = options.Speed;
    *settings = s;
    return true;
}
