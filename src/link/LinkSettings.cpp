#include "LinkSettings.h"

#include "app/Settings.h"

TLinkSettings LinkSettingsFromGlobal() {
    TLinkSettings s;
    s.Port = Settings.Port;
    s.Speed = Settings.Speed;
    s.DataBits = Settings.DataBits;
    s.Parity = Settings.Parity;
    s.StopBits = Settings.StopBits;
    s.Timeout = Settings.Timeout;
    s.TimeoutInterval = Settings.TimeoutInterval;
    s.TimeoutEcho = Settings.TimeoutEcho;
    s.RetryCount = Settings.RetryCount;
    s.Password = Settings.Password;
    s.MasterPassword = Settings.MasterPassword;
    s.ActivePassword = Settings.ActivePassword;
    s.ConnectMethod = Settings.ConnectMethod;
    return s;
}
