#include "ComPort.h"

EComPort::EComPort(int code, int systemError) : FCode(code), FSystemError(systemError) {
    FWhat = Message().toUtf8();
}
QString EComPort::Message() const { return QStringLiteral("Port Not Open"); }
const char* EComPort::what() const noexcept { return FWhat.constData(); }

struct TComPort::TImpl {
    QString Port = QStringLiteral("COM1");
};

TComPort::TComPort(QObject* parent) : QObject(parent), d(new TImpl) {}
TComPort::~TComPort() { delete d; }
QString TComPort::Port() const { return d->Port; }
void TComPort::SetPort(const QString& name) { d->Port = name; }
quint32 TComPort::CustomBaudRate() const { return 9600; }
void TComPort::SetCustomBaudRate(quint32) {}
TDataBits TComPort::DataBits() const { return dbEight; }
void TComPort::SetDataBits(TDataBits) {}
TParityBits TComPort::Parity() const { return prNone; }
void TComPort::SetParity(TParityBits) {}
TStopBits TComPort::StopBits() const { return sbOneStopBit; }
void TComPort::SetStopBits(TStopBits) {}
void TComPort::SetDataBitsText(const QString&) {}
void TComPort::SetParityText(const QString&) {}
void TComPort::SetStopBitsText(const QString&) {}
TComTimeouts TComPort::Timeouts() const { return {}; }
void TComPort::SetTimeouts(const TComTimeouts&) {}
void TComPort::SetReadTotalConstant(quint32) {}
int TComPort::InputSize() const { return 1024; }
int TComPort::OutputSize() const { return 1024; }
void TComPort::SetBufferSizes(int, int) {}
bool TComPort::Connected() const { return false; }
void TComPort::Open() { throw EComPort(1); }
void TComPort::Close() {}
void TComPort::ClearBuffers(bool, bool) {}
int TComPort::WriteText(const QString&) { throw EComPort(24); }
int TComPort::WriteBytes(const QByteArray&) { throw EComPort(24); }
QString TComPort::ReadText(int) { throw EComPort(24); }
QByteArray TComPort::ReadBytes(int) { throw EComPort(24); }
int TComPort::InputCount() { return 0; }
void TComPort::ListPorts(QStringList&) {}
void TComPort::RegisterLink(TComLink*) {}
void TComPort::UnRegisterLink(TComLink*) {}
bool TComPort::HasDataLink() const { return false; }
QString TComPort::DevicePath(const QString& name) { return name; }
