#pragma once

#include "CliCommand.h"

// Every command, in the order the help lists them.
const QVector<TCliCommand>& CliCommands();
const TCliCommand* FindCliCommand(const QString& name);

// The options of every command that talks to a tracker (LinkOptions).
const QVector<TCliOption>& LinkOptions();
// --ini: every command takes it, as it chooses the language too.
const TCliOption& SettingsOption();
// The link's options a command takes: those it has no own option of that
// name for (check's --report is its PDF, not the results' CSV).
QVector<TCliOption> CommonOptionsOf(const TCliCommand& command);
// The options a command takes: its own, the link's, --ini.
QVector<TCliOption> OptionsOf(const TCliCommand& command);
// Every option of every command once, by name.
QVector<TCliOption> AllCliOptions();

// --json, as the port commands and ports take it.
TCliOption JsonOption();
// --port, as every port command takes it.
TCliOption PortOption(bool required);
// --register, as every command that records or reads the register takes it.
TCliOption RegisterOption();
