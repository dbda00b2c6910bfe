#include "Forms.h"

#include "TAboutBox.h"
#include "TfmMain.h"
#include "TfmSettings.h"
#include "base/IniFile.h"
#include "check/CheckSettings.h"
#include "link/DeviceLink.h"
#include "link/TfmDeviceReconnect.h"
#include "link/TfmWaitingData.h"
#include "settings/Settings.h"
#include "app/TfmDeviceInfo.h"

TfmMain* fmMain = nullptr;
TAboutBox* AboutBox = nullptr;
TfmSettings* fmSettings = nullptr;
TfmWaitingData* fmWaitingData = nullptr;
TfmDeviceInfo* fmDeviceInfo = nullptr;
TfmDeviceReconnect* fmDeviceReconnect = nullptr;

void CreateForms() {
    fmMain = new TfmMain;
    AboutBox = new TAboutBox(fmMain);
    fmSettings = new TfmSettings(fmMain);
    // The one place that hands the link to the dialogs that use it.
    fmWaitingData = new TfmWaitingData(fmMain->Link, fmMain);
    fmDeviceInfo = new TfmDeviceInfo(fmMain->Link, fmMain);
    fmDeviceInfo->SetRemoteButtonSource(&ReadRemoteButtons);
    fmDeviceInfo->SetCheckSettingsSource([] {
        QStringList problems;
        const TCheckSettings settings = ReadCheckSettings(*OpenSettingsFile(), &problems);
        for (const QString& problem : problems)
            fmMain->Link->WriteLog(problem, lkGeneral);
        return settings;
    });
    fmDeviceReconnect = new TfmDeviceReconnect(fmMain->Link, fmMain);
}

void DestroyForms() {
    // The dialogs are children of the main window and go with it.
    delete fmMain;
    fmMain = nullptr;
    AboutBox = nullptr;
    fmSettings = nullptr;
    fmWaitingData = nullptr;
    fmDeviceInfo = nullptr;
    fmDeviceReconnect = nullptr;
}
