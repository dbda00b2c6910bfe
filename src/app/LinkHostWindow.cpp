#include "Forms.h"
#include "StatusBarPanels.h"
#include "TfmMain.h"
#include "link/ComPort.h"
#include "link/TfmDeviceReconnect.h"
#include "link/TfmWaitingData.h"
#include "register/TrackerRecorder.h"
#include "app/TfmDeviceInfo.h"

#include <QMessageBox>
#include <QProgressBar>

namespace {
const QString kLinkPanelText = QStringLiteral("LINK");
const QString kCommandPanelText = QStringLiteral("CMD");
constexpr int kLinkPanel = 3;
constexpr int kCommandPanel = 4;
} // namespace

void TfmMain::WriteLog(const QString& text, LogKind kind) {
    WriteLog(text, int(kind));
}

bool TfmMain::AskRetry() {
    QMessageBox box(QMessageBox::Question, tr("Ошибка передачи данных"), tr("Повторить попытку?"),
                    QMessageBox::Retry | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Retry);
    return box.exec() == QMessageBox::Retry;
}

bool TfmMain::WaitForPort(TDeviceLink& link) {
    if (!fmDeviceReconnect)
        return link.ComPort1->Connected();
    return fmDeviceReconnect->exec() == QDialog::Accepted;
}

bool TfmMain::RunConnectDialog(TDeviceLink&) {
    return fmWaitingData && fmWaitingData->RunConnectDialog();
}

void TfmMain::ShowDeviceError(const QString& text) {
    QMessageBox::information(this, windowTitle(), text);
}

void TfmMain::LinkStateChanged(TDeviceLink& link) {
    const bool open = link.ComPort1->Connected();
    // Out of command mode the tracker on the adapter may be swapped.
    if (FRecorder && (!open || !link.InCommandMode))
        FRecorder->Forget();
    SetStatusPanelText(kCommandPanel, link.InCommandMode ? kCommandPanelText : QString());
    SetStatusPanelText(kLinkPanel, open ? kLinkPanelText : QString());
    if (fmDeviceInfo)
        fmDeviceInfo->ShowConnectionState(link.ComPort1->Port(),
                                          QString::number(link.ComPort1->CustomBaudRate()), open,
                                          link.InCommandMode);
}

void TfmMain::ProgressStart(int maximum) {
    if (!ProgressBar1)
        return;
    ProgressBar1->setMinimum(0);
    ProgressBar1->setValue(0);
    ProgressBar1->setMaximum(maximum);
}

void TfmMain::ProgressSetValue(int value) {
    if (ProgressBar1)
        ProgressBar1->setValue(value);
}

void TfmMain::ProgressStep(int by) {
    if (ProgressBar1)
        ProgressBar1->setValue(ProgressBar1->value() + by);
}

void TfmMain::ProgressExtend(int by) {
    if (ProgressBar1)
        ProgressBar1->setMaximum(ProgressBar1->maximum() + by);
}

void TfmMain::ProgressFinish() {
    if (ProgressBar1)
        ProgressBar1->setValue(ProgressBar1->maximum());
}
