#include "InstallPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

TInstallPaths ResolveInstallPaths(const QString& executablePath, const QString& userConfigRoot) {
    TInstallPaths paths;
    const QFileInfo exe(executablePath);
    const QDir exeDir = exe.absoluteDir();
    const QString shared = QDir::cleanPath(exeDir.filePath(QLatin1String(kInstalledDataSubfolder)));
    const QString profileName = QString::fromLatin1(kProfileFileName);
    paths.Installed = exeDir.dirName() == QLatin1String("bin") && QFileInfo(shared).isDir() &&
                      !userConfigRoot.isEmpty();
    if (!paths.Installed) {
        paths.DataFolder = exeDir.absolutePath();
        paths.ConfigFolder = paths.DataFolder;
        paths.ProfilePath = exeDir.filePath(profileName);
        paths.LanguageBase = exe.absoluteFilePath();
        return paths;
    }
    paths.DataFolder = shared;
    paths.ConfigFolder =
        QDir::cleanPath(QDir(userConfigRoot).filePath(QLatin1String(kUserConfigSubfolder)));
    const QString own = QDir(paths.ConfigFolder).filePath(profileName);
    paths.ProfilePath = QFileInfo(own).isFile() ? own : QDir(shared).filePath(profileName);
    paths.LanguageBase = QDir(shared).filePath(exe.fileName());
    return paths;
}

const TInstallPaths& ProgramPaths() {
    static const TInstallPaths paths = ResolveInstallPaths(
        QCoreApplication::applicationFilePath(),
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    return paths;
}
