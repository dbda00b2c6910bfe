#include "ComDataPacket.h"

struct TComDataPacket::TImpl {
    TComPort* Port = nullptr;
    QString StopString;
};

TComDataPacket::TComDataPacket(QObject* parent) : QObject(parent), d(new TImpl) {}
TComDataPacket::~TComDataPacket() { delete d; }
TComPort* TComDataPacket::ComPort() const { return d->Port; }
void TComDataPacket::SetComPort(TComPort* port) { d->Port = port; }
QString TComDataPacket::StartString() const { return {}; }
void TComDataPacket::SetStartString(const QString&) {}
QString TComDataPacket::StopString() const { return d->StopString; }
void TComDataPacket::SetStopString(const QString& s) { d->StopString = s; }
int TComDataPacket::Size() const { return 0; }
void TComDataPacket::SetSize(int) {}
bool TComDataPacket::IncludeStrings() const { return false; }
void TComDataPacket::SetIncludeStrings(bool) {}
bool TComDataPacket::CaseInsensitive() const { return false; }
void TComDataPacket::SetCaseInsensitive(bool) {}
int TComDataPacket::MaxBufferSize() const { return kPacketMaxBufferSize; }
void TComDataPacket::SetMaxBufferSize(int) {}
void TComDataPacket::ResetBuffer() {}
void TComDataPacket::HandleChunk(const QByteArray&) {}
QString TComDataPacket::Buffer() const { return {}; }
