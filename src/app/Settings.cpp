#include "Settings.h"

#include "IniFile.h"
#include "profile/DevCommands.h"

#include <QCoreApplication>
#include <QDir>

TSettings Settings;
bool TrueCustomer = false;

namespace {
QString gSettingsFolder;
}

QString SettingsFolder() {
    return gSettingsFolder.isEmpty() ? QCoreApplication::applicationDirPath() : gSettingsFolder;
}

void SetSettingsFolder(const QString& folder) { gSettingsFolder = folder; }

QString SettingsFilePath() {
    return QDir(SettingsFolder()).filePath(QString::fromLatin1(kSettingsFileName));
}

std::unique_ptr<TIniFile> OpenSettingsFile() {
    return std::make_unique<TIniFile>(SettingsFilePath());
}

void LoadSettings() {
    Settings = TSettings();
    for (const TCmdPage& page : DevCommands)
        Settings.EnabledPages.append(page.PageId);
}

bool SaveSettings(QString*) { return true; }
