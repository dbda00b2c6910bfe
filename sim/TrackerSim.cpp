#include "TrackerSim.h"

// Interim body: the device thread follows.
struct TTrackerSim::TImpl {};

TTrackerSim::TTrackerSim(QObject* parent) : QObject(parent), d(new TImpl) {}
TTrackerSim::~TTrackerSim() {
    delete d;
}
bool TTrackerSim::Start(const QString&) {
    return false;
}
void TTrackerSim::Stop() {}
bool TTrackerSim::Running() const {
    return false;
}
QString TTrackerSim::ErrorText() const {
    return QStringLiteral("not built yet");
}
QString TTrackerSim::SlavePath() const {
    return {};
}
bool TTrackerSim::PublishLink(const QString&) {
    return false;
}
QString TTrackerSim::LinkPath() const {
    return {};
}
void TTrackerSim::Vanish() {}
void TTrackerSim::VanishAfter(int) {}
bool TTrackerSim::Reappear() {
    return false;
}
bool TTrackerSim::Vanished() const {
    return false;
}
void TTrackerSim::SetEcho(bool) {}
void TTrackerSim::SetByteDelay(int) {}
void TTrackerSim::SetChunking(int, int) {}
void TTrackerSim::SetSilent(bool) {}
void TTrackerSim::SetGarbage(TGarbageMode) {}
void TTrackerSim::SetAnswerPayloadSize(int) {}
void TTrackerSim::SetLongAnswers(bool) {}
void TTrackerSim::SetEntryPromptLF(bool) {}
void TTrackerSim::SetInCommandMode(bool) {}
bool TTrackerSim::InCommandMode() const {
    return false;
}
void TTrackerSim::SetPasswords(const QString&, const QString&) {}
void TTrackerSim::SetUnsupported(const QString&, bool) {}
void TTrackerSim::SetStreamPeriod(int) {}
QString TTrackerSim::Value(const QString&, int, int) const {
    return {};
}
bool TTrackerSim::SetValue(const QString&, int, int, const QString&) {
    return false;
}
QStringList TTrackerSim::Values(const QString&, int) const {
    return {};
}
QStringList TTrackerSim::CommandNames() const {
    return {};
}
int TTrackerSim::FlashSaveCount() const {
    return 0;
}
bool TTrackerSim::Streaming() const {
    return false;
}
int TTrackerSim::StreamReportsSent() const {
    return 0;
}
QStringList TTrackerSim::ReceivedLines() const {
    return {};
}
QByteArray TTrackerSim::ReceivedBytes() const {
    return {};
}
int TTrackerSim::ZeroBytesReceived() const {
    return 0;
}
void TTrackerSim::ClearReceived() {}
bool TTrackerSim::WaitForLines(int, int) const {
    return false;
}
bool TTrackerSim::WaitForIdle(int) const {
    return false;
}
void TTrackerSim::SendRaw(const QByteArray&) {}
void TTrackerSim::SetStatusReportSource(TStatusReportSource) {}
QStringList TTrackerSim::StatusReportLines(int) {
    return {};
}
