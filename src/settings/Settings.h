#pragma once

#include "link/LinkSettings.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

class TIniFile;

// 0x00BBGGRR, red in the low byte.
using TColor = quint32;

struct TSettings {
    QString Port = QStringLiteral("COM1");
    qint32 Speed = 115200;
    qint32 DataBits = 8;
    QString Parity = QStringLiteral("None");
    QString StopBits = QStringLiteral("1");
    qint32 Timeout = 250;
    qint32 TimeoutInterval = 250;
    qint32 TimeoutEcho = 250;
    // An answer ends on the device's ">" prompt instead of on the time-outs.
    bool EndOnPrompt = true;
    QString ActivePassword;
    QString Password;
    QString MasterPassword;
    QStringList EnabledPages;
    TColor ReadColorText = 0;
    TColor WriteColorText = 0;
    TColor ReadErrorColorText = 255;
    TColor WriteErrorColorText = 255;
    TColor GeneralErrorColorText = 8421504;
    qint32 RetryCount = 3;
    qint32 ConnectMethod = 0;
    bool Debug = false;
    qint32 Language = 0;
    bool PortPoll = false;
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

// MasterPassword when one is set, else Password.
QString DeriveActivePassword(const QString& password, const QString& masterPassword);
// "*" (exactly) is every page of the profile; anything else is a list.
QStringList ParseEnabledPages(const QString& value);

// The status window's remote-control buttons: the "RC" section's key lines
// as "caption=command", in file order.
QStringList ReadRemoteButtons();

// Needs the command profile loaded (the "*" page list expands from it).
void LoadSettings();
// False (with the message) when the file could not be written; the keys
// after the failing one are not written.
bool SaveSettings(QString* errorMessage = nullptr);

// The link settings as the global settings hold them now.
TLinkSettings LinkSettingsFromGlobal();
