#pragma once

#include "CliOptions.h"
#include "config/ParamValueTable.h"
#include "link/LinkSettings.h"

#include <QByteArray>
#include <QString>

// The profile and the settings a run works with: the ones given on the
// command line, else the ones the window would use.
QString DefaultProfilePath();
// Loads the profile into the command table. False with a message when the
// file cannot be read or holds no command.
bool LoadProfileFor(const TCliOptions& options, QString* error);

// The settings file of the run: --ini (false with a message when it cannot
// be read), else the window's.
bool SettingsFileFor(const TCliOptions& options, QString* path, QString* error);
// Line settings, time-outs, retries, passwords and entry method from the
// settings file, then the command line's overrides. False with a message
// when a settings file named on the command line cannot be read.
bool ReadLinkSettingsFor(const TCliOptions& options, TLinkSettings* settings, QString* error);

// A configuration file's bytes and its values (the table holds what the
// file holds).
struct TFileValues {
    QByteArray Data;
    TParamValueTable Values;
    bool HoldsAnyCommand() const;
};

// False (every message printed) when the file cannot be used: unreadable,
// damaged, or stopped by a structural error.
bool LoadFileValues(const QString& file, TFileValues& out);
