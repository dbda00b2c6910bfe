#pragma once

class TfmMain;
class TAboutBox;
class TfmSettings;
class TfmWaitingData;
class TfmDeviceInfo;
class TfmDeviceReconnect;

// The six windows, created once at start in this order and reused.
extern TfmMain* fmMain;
extern TAboutBox* AboutBox;
extern TfmSettings* fmSettings;
extern TfmWaitingData* fmWaitingData;
extern TfmDeviceInfo* fmDeviceInfo;
extern TfmDeviceReconnect* fmDeviceReconnect;

// Creates the windows in the fixed order (main window first).
void CreateForms();
void DestroyForms();
