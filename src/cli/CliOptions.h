#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

struct TCliCommand;

// Exit status of the tool.
enum TCliExit : int {
    ceSuccess = 0, // every tracker succeeded (or nothing to say)
    ceFailed = 1,  // a tracker failed, differed, or the run was interrupted
    ceUsage = 2,   // bad usage or unreadable inputs
};

constexpr int kDefaultConnectTimeoutSec = 30;
// The placeholder of --out that takes the port's base name.
constexpr char kPortPlaceholder[] = "{port}";

// A parsed command line: the common options in fields, every option given
// by its long name (a command reads its own ones there).
struct TCliOptions {
    QString Command;
    QStringList Ports;
    QStringList Files; // positional file arguments
    QString Profile;   // empty: the window's
    QString Ini;       // empty: the window's
    QString Password;  // set only when PasswordSet
    QString Master;
    bool PasswordSet = false;
    bool MasterSet = false;
    qint32 Speed = 0; // 0: from the settings
    int ConnectTimeoutSec = kDefaultConnectTimeoutSec;
    QString LogFile;
    QString ReportFile;
    bool Json = false;
    QHash<QString, QStringList> Given;

    bool IsSet(const char* name) const { return Given.contains(QLatin1String(name)); }
    // The last value given, empty when none.
    QString Value(const char* name) const;
};

// The outcome of parsing: options to run, or a text to print and a status.
struct TCliParse {
    bool Run = false;
    const TCliCommand* Command = nullptr;
    TCliOptions Options;
    QString Text; // help (stdout) or error (stderr)
    int Exit = ceSuccess;
};

// arguments without the program name.
TCliParse ParseCliArguments(const QStringList& arguments);

// The settings file named by --ini, empty when none: read before parsing,
// as it chooses the language of every message.
QString SettingsArgument(const QStringList& arguments);

// The command named, read before the application exists (the command
// decides which one); empty when none.
QString CommandArgument(const QStringList& arguments);

// A whole number from low to high; false when the text is none.
bool ReadBoundedInt(const QString& text, int low, int high, int* value);

// The base name of a port for {port}: "/dev/ttyUSB0" -> "ttyUSB0".
QString PortBaseName(const QString& port);
// --out for one port: the placeholder replaced by its base name.
QString OutputFileFor(const QString& pattern, const QString& port);
