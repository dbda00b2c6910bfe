#include "Settings.h"

#include "InstallPaths.h"
#include "base/IniFile.h"
#include "base/TextUtils.h"
#include "profile/DevCommands.h"

#include <QCoreApplication>
#include <QDir>

TSettings Settings;
bool TrueCustomer = false;

namespace {

QString gSettingsFolder;

const QString kConnection = QStringLiteral("Connection");
const QString kDevice = QStringLiteral("Device");
const QString kInterface = QStringLiteral("Interface");
const QString kRemoteControl = QStringLiteral("RC");
const QString kRegister = QStringLiteral("Register");
const QString kAllPages = QStringLiteral("*");

constexpr int kMinRetryCount = 1;
constexpr int kConnectMethodStandard = 0;
constexpr int kConnectMethodFast = 1;

QString Number(qint32 value) {
    return QString::number(value);
}
QString Number(TColor value) {
    return QString::number(static_cast<qint32>(value));
}
QString Flag(bool value) {
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

TColor ReadColor(const TIniFile& ini, const QString& key, TColor def) {
    return static_cast<TColor>(ini.ReadInteger(kInterface, key, static_cast<qint32>(def)));
}

} // namespace

QString SettingsFolder() {
    return gSettingsFolder.isEmpty() ? ProgramPaths().ConfigFolder : gSettingsFolder;
}

void SetSettingsFolder(const QString& folder) {
    gSettingsFolder = folder;
}

QString SettingsFilePath() {
    return QDir(SettingsFolder()).filePath(QString::fromLatin1(kSettingsFileName));
}

std::unique_ptr<TIniFile> OpenSettingsFile() {
    return std::make_unique<TIniFile>(SettingsFilePath());
}

TLinkSettings ReadLinkSettings(const TIniFile& ini) {
    const TLinkSettings def;
    TLinkSettings s;
    s.Port = ini.ReadString(kConnection, QStringLiteral("COM"), def.Port);
    s.Speed = ini.ReadInteger(kConnection, QStringLiteral("Speed"), def.Speed);
    s.DataBits = ini.ReadInteger(kConnection, QStringLiteral("DataBits"), def.DataBits);
    s.Parity = ini.ReadString(kConnection, QStringLiteral("Parity"), def.Parity);
    s.StopBits = ini.ReadString(kConnection, QStringLiteral("StopBits"), def.StopBits);
    s.Timeout = ini.ReadInteger(kConnection, QStringLiteral("Timeout"), def.Timeout);
    s.TimeoutInterval =
        ini.ReadInteger(kConnection, QStringLiteral("TimeoutInterval"), def.TimeoutInterval);
    s.TimeoutEcho = ini.ReadInteger(kConnection, QStringLiteral("TimeoutEcho"), def.TimeoutEcho);
    s.EndOnPrompt = ini.ReadBool(kConnection, QStringLiteral("EndOnPrompt"), def.EndOnPrompt);
    s.Password = ini.ReadString(kDevice, QStringLiteral("Password"), def.Password);
    s.MasterPassword =
        ini.ReadString(kDevice, QStringLiteral("MasterPassword"), def.MasterPassword);
    s.RetryCount = qMax(kMinRetryCount,
                        ini.ReadInteger(kDevice, QStringLiteral("RetryCount"), def.RetryCount));
    s.ConnectMethod =
        qBound(kConnectMethodStandard,
               ini.ReadInteger(kDevice, QStringLiteral("ConnectMethod"), def.ConnectMethod),
               kConnectMethodFast);
    return s;
}

QStringList ParseEnabledPages(const QString& value) {
    if (value != kAllPages)
        return SplitList(value);
    QStringList pages;
    for (const TCmdPage& page : DevCommands)
        pages.append(page.PageId);
    return pages;
}

QString ReadRegisterDatabase(const TIniFile& ini) {
    return ini.ReadString(kRegister, QStringLiteral("Database"), QString()).trimmed();
}

bool ReadRegisterRecord(const TIniFile& ini) {
    return ini.ReadBool(kRegister, QStringLiteral("Record"), true);
}

int ReadIdentityTimeoutSec(const TIniFile& ini) {
    return qBound(
        1,
        ini.ReadInteger(kRegister, QStringLiteral("IdentityTimeout"), kDefaultIdentityTimeoutSec),
        kMaxIdentityTimeoutSec);
}

QStringList ReadRemoteButtons() {
    return OpenSettingsFile()->ReadSectionValues(kRemoteControl);
}

void LoadSettings() {
    const auto ini = OpenSettingsFile();
    const TSettings def;
    TSettings s;
    s.Link = ReadLinkSettings(*ini);
    s.Debug = ini->ReadBool(kInterface, QStringLiteral("Debug"), def.Debug);
    s.EnabledPages =
        ParseEnabledPages(ini->ReadString(kInterface, QStringLiteral("EnabledPages"), kAllPages));
    s.ReadColorText = ReadColor(*ini, QStringLiteral("ReadColorText"), def.ReadColorText);
    s.WriteColorText = ReadColor(*ini, QStringLiteral("WriteColorText"), def.WriteColorText);
    s.ReadErrorColorText =
        ReadColor(*ini, QStringLiteral("ReadErrorColorText"), def.ReadErrorColorText);
    s.WriteErrorColorText =
        ReadColor(*ini, QStringLiteral("WriteErrorColorText"), def.WriteErrorColorText);
    s.GeneralErrorColorText =
        ReadColor(*ini, QStringLiteral("GeneralErrorColorText"), def.GeneralErrorColorText);
    const bool trueCustomer = ini->ReadBool(kInterface, QStringLiteral("TrueCustomer"), false);
    s.Language = ini->ReadInteger(kInterface, QStringLiteral("Language"), def.Language);
    s.PortPoll = ini->ReadBool(kDevice, QStringLiteral("PortPoll"), def.PortPoll);
    // The register's keys are the workshop's set-up: read, never written.
    s.RegisterDatabase = ReadRegisterDatabase(*ini);
    s.IdentityTimeoutSec = ReadIdentityTimeoutSec(*ini);
    s.RegisterRecord = ReadRegisterRecord(*ini);
    Settings = s;
    TrueCustomer = trueCustomer;
}

bool SaveSettings(QString* errorMessage) {
    // Installed, the configuration folder may not exist yet.
    QDir().mkpath(SettingsFolder());
    const auto ini = OpenSettingsFile();
    const TSettings& s = Settings;
    const TLinkSettings& link = s.Link;
    // "Debug" and "TrueCustomer" are the operator's own business: never written.
    const QVector<TIniEntry> entries = {
        {kConnection, QStringLiteral("COM"), link.Port},
        {kConnection, QStringLiteral("Speed"), Number(link.Speed)},
        {kConnection, QStringLiteral("DataBits"), Number(link.DataBits)},
        {kConnection, QStringLiteral("Parity"), link.Parity},
        {kConnection, QStringLiteral("StopBits"), link.StopBits},
        {kConnection, QStringLiteral("Timeout"), Number(link.Timeout)},
        {kConnection, QStringLiteral("TimeoutInterval"), Number(link.TimeoutInterval)},
        {kConnection, QStringLiteral("TimeoutEcho"), Number(link.TimeoutEcho)},
        {kConnection, QStringLiteral("EndOnPrompt"), Flag(link.EndOnPrompt)},
        {kDevice, QStringLiteral("Password"), link.Password},
        {kDevice, QStringLiteral("MasterPassword"), link.MasterPassword},
        {kInterface, QStringLiteral("EnabledPages"), s.EnabledPages.join(QLatin1Char(','))},
        {kInterface, QStringLiteral("ReadColorText"), Number(s.ReadColorText)},
        {kInterface, QStringLiteral("WriteColorText"), Number(s.WriteColorText)},
        {kInterface, QStringLiteral("ReadErrorColorText"), Number(s.ReadErrorColorText)},
        {kInterface, QStringLiteral("WriteErrorColorText"), Number(s.WriteErrorColorText)},
        {kInterface, QStringLiteral("GeneralErrorColorText"), Number(s.GeneralErrorColorText)},
        {kInterface, QStringLiteral("Language"), Number(s.Language)},
        {kDevice, QStringLiteral("RetryCount"), Number(link.RetryCount)},
        {kDevice, QStringLiteral("ConnectMethod"), Number(link.ConnectMethod)},
        {kDevice, QStringLiteral("PortPoll"), Flag(s.PortPoll)},
    };
    if (!ini->WriteStrings(entries)) {
        if (errorMessage)
            *errorMessage = QCoreApplication::translate("Settings", "Unable to write to %1")
                                .arg(QDir::toNativeSeparators(ini->FileName()));
        return false;
    }
    if (errorMessage)
        errorMessage->clear();
    return true;
}
