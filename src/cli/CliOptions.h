#pragma once

#include <QString>
#include <QStringList>

// Exit status of the tool.
enum TCliExit : int {
    ceSuccess = 0, // every tracker succeeded (or nothing to say)
    ceFailed = 1,  // a tracker failed, differed, or the run was interrupted
    ceUsage = 2,   // bad usage or unreadable inputs
};

enum TCliCommand { ccNone, ccPorts, ccRead, ccWrite, ccDiff, ccStatus, ccCheckProfile };

constexpr int kDefaultConnectTimeoutSec = 30;
// The placeholder of --out that takes the port's base name.
constexpr char kPortPlaceholder[] = "{port}";

struct TCliOptions {
    TCliCommand Command = ccNone;
    QStringList Ports;
    QStringList Files; // positional file arguments
    QString Out;
    QString Profile;  // empty: the window's
    QString Ini;      // empty: the window's
    QString Password; // set only when PasswordSet
    QString Master;
    bool PasswordSet = false;
    bool MasterSet = false;
    qint32 Speed = 0; // 0: from the settings
    int ConnectTimeoutSec = kDefaultConnectTimeoutSec;
    int Count = 0; // status reports to print; 0: until Ctrl+C
    QString LogFile;
    QString ReportFile;
    bool Json = false;
    bool Store = false;
    bool NoVerify = false;
};

// The outcome of parsing: options to run, or a text to print and a status.
struct TCliParse {
    bool Run = false;
    TCliOptions Options;
    QString Text; // help (stdout) or error (stderr)
    int Exit = ceSuccess;
};

// arguments without the program name.
TCliParse ParseCliArguments(const QStringList& arguments);

// The base name of a port for {port}: "/dev/ttyUSB0" -> "ttyUSB0".
QString PortBaseName(const QString& port);
// --out for one port: the placeholder replaced by its base name.
QString OutputFileFor(const QString& pattern, const QString& port);
