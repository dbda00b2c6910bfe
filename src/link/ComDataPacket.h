#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

// The buffer limit a framer starts with (MaxBufferSize).
constexpr int kPacketMaxBufferSize = 1024;

class TComPort;
class TComLink;

// Cuts the received byte stream into packets (here: lines ended by CR).
class TComDataPacket : public QObject {
    Q_OBJECT
public:
    explicit TComDataPacket(QObject* parent = nullptr);
    ~TComDataPacket() override;

    TComPort* ComPort() const;
    void SetComPort(TComPort* port); // attach (nullptr: detach); keeps the buffer

    QString StartString() const;
    void SetStartString(const QString& s);
    QString StopString() const;
    void SetStopString(const QString& s);
    int Size() const;
    void SetSize(int size);
    bool IncludeStrings() const;
    void SetIncludeStrings(bool on);
    bool CaseInsensitive() const;
    void SetCaseInsensitive(bool on);
    int MaxBufferSize() const;
    void SetMaxBufferSize(int size);

    std::function<void(const QString& packet)> OnPacket;
    std::function<void(const QString& discarded)> OnDiscard;

    void ResetBuffer();
    // One received chunk, as the port hands it over.
    void HandleChunk(const QByteArray& chunk);
    QString Buffer() const;

private:
    struct TImpl;
    TImpl* d;
};
