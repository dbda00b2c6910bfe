#include "StatusSession.h"

#include "base/TextUtils.h"
#include "base/Translate.h"
#include "link/ComDataPacket.h"
#include "link/ComPort.h"
#include "link/DeviceLink.h"

#include <QDeadlineTimer>

TStatusSession::TStatusSession(TDeviceLink* link, TReceive receive)
    : FLink(link), FReceive(receive), FFramer(std::make_unique<TComDataPacket>()),
      FTexts(LoadStatusTexts()) {
    FFramer->setObjectName(QStringLiteral("ComDataPacket1"));
    FFramer->SetStopString(QStringLiteral("\r"));
    FFramer->OnPacket = [this](const QString& line) { TakeLine(line); };
}

TStatusSession::~TStatusSession() {
    // The port may be gone already when a window is torn down.
    FFramer->OnPacket = nullptr;
}

bool TStatusSession::Start() {
    if (!FLink || (!FLink->InCommandMode && !FLink->EnterCommandMode()))
        return false;
    // Attached before the start goes out: the first report may follow at once.
    if (FReceive == srPortEvents)
        FFramer->SetComPort(FLink->ComPort1);
    FLink->StartStatusStream();
    FStreaming = true;
    FFailure.clear();
    return true;
}

void TStatusSession::Stop() {
    FStreaming = false;
    FFramer->SetComPort(nullptr);
    if (FLink)
        FLink->StopStatusStream();
}

bool TStatusSession::Pump(int ms) {
    if (!FLink)
        return false;
    TComPort* port = FLink->ComPort1;
    const QDeadlineTimer until(qMax(0, ms));
    try {
        do {
            port->SetReadTotalConstant(quint32(qMax<qint64>(1, until.remainingTime())));
            const QByteArray bytes = port->ReadBytes(kStatusReadBytes);
            if (!bytes.isEmpty())
                FFramer->HandleChunk(bytes);
        } while (!until.hasExpired());
        port->SetReadTotalConstant(quint32(qMax(0, FLink->LinkSettings().Timeout)));
        return true;
    } catch (const EComPort& e) {
        FFailure = e.Message();
    } catch (const std::exception& e) {
        FFailure = QString::fromLocal8Bit(e.what());
    }
    // As an exchange that fails: logged, the port closed, command mode gone.
    FLink->WriteLog(TrMain("Ошибка чтения, исключение=") + FFailure, lkReadError);
    FLink->InCommandMode = false;
    FStreaming = false;
    try {
        port->Close();
    } catch (const std::exception&) {
        // The device is gone already; closed is what we wanted.
    }
    FLink->UpdateLinkStatus();
    return false;
}

void TStatusSession::TakeLine(const QString& line) {
    // The device echoes the start command: its password stays out of the log.
    if (FLink)
        FLink->WriteLog(FLink->MaskStreamEcho(line), lkRead);
    TakeReport(TrimControls(line));
}

void TStatusSession::TakeReport(const QString& line) {
    if (OnReportLine)
        OnReportLine(line);
    const TStatusChange change = ParseStatusReport(line, FTexts, FFields);
    if (!change.Report.isEmpty() && OnReport)
        OnReport(change, FFields);
}
