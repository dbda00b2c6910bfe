#include "app/Forms.h"
#include "app/Settings.h"
#include "app/TfmMain.h"
#include "link/ComPort.h"
#include "link/TfmDeviceReconnect.h"
#include "link/TfmWaitingData.h"
#include "status/TfmDeviceInfo.h"

namespace {
const QString kLinkPanelText = QStringLiteral("LINK");
const QString kCommandPanelText = QStringLiteral("CMD");
constexpr int kLinkPanel = 3;
constexpr int kCommandPanel = 4;
} // namespace

bool TfmMain::OpenPort() {
    if (ComPort1->Connected()) {
        UpdateLinkStatus();
        return true;
    }
    try {
        ComPort1->Open();
    } catch (const EComPort& e) {
        FOpenFailureLog.Write(tr("Не могу открыть порт, исключение=") + e.Message());
        return false;
    } catch (const std::exception& e) {
        FOpenFailureLog.Write(tr("Не могу открыть порт, исключение=") +
                              QString::fromLocal8Bit(e.what()));
        return false;
    }
    FOpenFailureLog.Settle();
    UpdateLinkStatus();
    return ComPort1->Connected();
}

bool TfmMain::EnterCommandMode() {
    if (InCommandMode)
        return true;
    if (!ComPort1->Connected() && !OpenPort()) {
        WaitForPort();
        if (!ComPort1->Connected())
            return false;
    }
    InCommandMode = fmWaitingData && fmWaitingData->RunConnectDialog();
    UpdateLinkStatus();
    return InCommandMode;
}

bool TfmMain::ApplyProfileCommand(const QString& name) {
    TCmdAddress address = FindCommand(name);
    if (address.Page < 0)
        return false;
    address.Row = 0;
    address.Param = 0;
    ApplyCommand(address);
    return true;
}

void TfmMain::LeaveCommandMode() {
    if ((!ComPort1->Connected() && !OpenPort()) || !InCommandMode)
        return;
    if (ApplyProfileCommand(QStringLiteral("+TEXT")))
        return;
    WriteLog(tr("Команда +TEXT не описана!"), lkGeneral);
    ExchangeCommand(QStringLiteral("AT+TEXT=") + Settings.ActivePassword + QLatin1Char(','),
                    QStringLiteral("AT+TEXT=*,"), true, true, true);
    InCommandMode = false;
    UpdateLinkStatus();
}

bool TfmMain::WaitForPort() {
    if (!fmDeviceReconnect)
        return ComPort1->Connected();
    return fmDeviceReconnect->exec() == QDialog::Accepted && ComPort1->Connected();
}

void TfmMain::UpdateLinkStatus() {
    const bool open = ComPort1->Connected();
    SetStatusPanelText(kCommandPanel, InCommandMode ? kCommandPanelText : QString());
    SetStatusPanelText(kLinkPanel, open ? kLinkPanelText : QString());
    if (fmDeviceInfo)
        fmDeviceInfo->ShowConnectionState(
            ComPort1->Port(), QString::number(ComPort1->CustomBaudRate()), open, InCommandMode);
}

void TfmMain::PortIdleCheck() {
    // A blocking write or read owns the port; a zero byte now would land
    // in the middle of a request.
    if (InExchange() || !ComPort1->Connected())
        return;
    try {
        ComPort1->WriteBytes(QByteArray(1, '\0'));
    } catch (const std::exception&) {
        WriteLog(tr("Device disconnected"), lkGeneral);
        InCommandMode = false;
        try {
            SetConnected(false);
        } catch (const std::exception&) {
            // Closing a vanished device may fail as well; it is closed anyway.
        }
        UpdateLinkStatus();
    }
}

void TfmMain::Connect1Click() {
    EnterCommandMode();
}

void TfmMain::Leavecommandmode1Click() {
    LeaveCommandMode();
}
