#pragma once

#include "cli/CliOptions.h"
#include "cli/PortJob.h"

#include <QVector>

// What an option's argument is, for the completion script.
enum TCliArgKind {
    akNone, // a switch
    akText,
    akFile,
    akPort,
};

// One option: --Name [Argument]. Help is marked QT_TRANSLATE_NOOP("TCli").
struct TCliOption {
    const char* Name = nullptr;
    const char* Argument = nullptr; // nullptr for a switch
    const char* Help = nullptr;
    TCliArgKind Kind = akNone;
    bool Required = false;
};

TCliOption SwitchOption(const char* name, const char* help);
TCliOption ValueOption(const char* name, const char* argument, const char* help, TCliArgKind kind,
                       bool required = false);

// One command of velmora-cli: its name, options, help and runner. Each lives
// in a file of its own under commands/ and is listed once in CommandTable.cpp.
struct TCliCommand {
    TCliCommand(const char* name, const char* synopsis, const char* description)
        : Name(name), Synopsis(synopsis), Description(description) {}

    const char* Name = nullptr;
    const char* Synopsis = nullptr;    // after "velmora-cli "
    const char* Description = nullptr; // QT_TRANSLATE_NOOP("TCli")
    QVector<TCliOption> Options;
    // Takes the common options (profile, settings, passwords, line, log...).
    bool LinkOptions = false;
    // Positional arguments are files (for the completion script).
    bool TakesFiles = false;
    // The usage error of options that passed the generic checks; empty
    // when they fit.
    QString (*Check)(const TCliOptions& options) = nullptr;
    // A port command's work on one tracker: RunTrackers runs it on every
    // --port, each on a thread of its own.
    TPortWork PortWork;
    // Port commands: the one configuration file argument is loaded (and
    // refused when it cannot be used) before any port is opened.
    bool LoadsFile = false;
    // The name of the file's side in the lines of differing values.
    const char* FileSide = "file";
    // Draws (the check's report): the tool runs under a widget application
    // on the offscreen platform.
    bool Draws = false;
    // Runs the command and returns the exit status; unset for a port
    // command that is its PortWork alone.
    int (*Run)(const TCliOptions& options) = nullptr;
};
