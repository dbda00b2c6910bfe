#pragma once

#include <QString>

// Where the program finds its files. An installed program (executable in a
// bin folder with ../share/velmora beside it) reads shipped data from
// share/velmora and keeps the operator's files in the user's configuration
// folder; a portable one keeps everything beside the executable.
struct TInstallPaths {
    bool Installed = false;
    // The shipped profile and language modules.
    QString DataFolder;
    // Velmora.ini and the operator's own profile.
    QString ConfigFolder;
    // The profile to load: the operator's own if there is one, else the shipped one.
    QString ProfilePath;
    // The path the language modules are named after (its name, a new extension).
    QString LanguageBase;
};

constexpr char kInstalledDataSubfolder[] = "../share/velmora";
constexpr char kUserConfigSubfolder[] = "velmora";
constexpr char kProfileFileName[] = "cmdprofile.xml";

// userConfigRoot is the XDG configuration folder (~/.config).
TInstallPaths ResolveInstallPaths(const QString& executablePath, const QString& userConfigRoot);

// The running program's paths, worked out once.
const TInstallPaths& ProgramPaths();
