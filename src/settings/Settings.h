#pragma once

#include "link/LinkSettings.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

class TIniFile;

constexpr int kDefaultIdentityTimeoutSec = 5;
constexpr int kMaxIdentityTimeoutSec = 60;

// 0x00BBGGRR, red in the low byte.
using TColor = quint32;

struct TSettings {
    // Port, line, time-outs, retries, passwords and entry method: the link's
    // own record, handed to it as it is.
    TLinkSettings Link;
    QStringList EnabledPages;
    TColor ReadColorText = 0;
    TColor WriteColorText = 0;
    TColor ReadErrorColorText = 255;
    TColor WriteErrorColorText = 255;
    TColor GeneralErrorColorText = 8421504;
    bool Debug = false;
    qint32 Language = 0;
    bool PortPoll = false;
    // [Register] Database=: an SQLite file or a postgresql:// URL; empty: the
    // program's own register file.
    QString RegisterDatabase;
    // [Register] Record=0: nothing is recorded (the register stays open to
    // look at), as velmora-cli's --no-register does for one run.
    bool RegisterRecord = true;
    // How long a tracker's identity report is awaited before the first
    // recorded action of a connection.
    int IdentityTimeoutSec = kDefaultIdentityTimeoutSec;
};

extern TSettings Settings;
extern bool TrueCustomer;
// Locale ids in the order of the settings dialog's language list.
constexpr int LanguageLocales[2] = {1049, 1033};

constexpr char kSettingsFileName[] = "Velmora.ini";

// The folder that holds Velmora.ini: the executable's folder unless a test
// moved it.
QString SettingsFolder();
void SetSettingsFolder(const QString& folder);
QString SettingsFilePath();

// A fresh accessor for every operation; nothing is cached in between.
std::unique_ptr<TIniFile> OpenSettingsFile();

// The link's keys of a settings file ("Connection" and "Device"), with
// their defaults and rules; the window's LoadSettings and velmora-cli both
// read them here.
TLinkSettings ReadLinkSettings(const TIniFile& ini);
// "*" (exactly) is every page of the profile; anything else is a list.
QStringList ParseEnabledPages(const QString& value);

// The status window's remote-control buttons: the "RC" section's key lines
// as "caption=command", in file order.
QStringList ReadRemoteButtons();

// The [Register] keys; the window's LoadSettings and velmora-cli both read them.
QString ReadRegisterDatabase(const TIniFile& ini);
bool ReadRegisterRecord(const TIniFile& ini);
int ReadIdentityTimeoutSec(const TIniFile& ini);

// Needs the command profile loaded (the "*" page list expands from it).
void LoadSettings();
// Every key in one save. False (with the message) when the file could not
// be written; it is then left as it was.
bool SaveSettings(QString* errorMessage = nullptr);
