#include "ComDataPacket.h"

#include "ComPort.h"
#include "base/CodePage.h"

#include <QPointer>
#include <QtDebug>

struct TComDataPacket::TImpl {
    QPointer<TComPort> Port;
    TComLink Link;
    QString StartString;
    QString StopString;
    int Size = 0;
    bool IncludeStrings = false;
    bool CaseInsensitive = false;
    int MaxBufferSize = kPacketMaxBufferSize;
    // Received text not yet delivered: one character per byte, since the
    // code page is single-byte.
    QString Buffer;
    bool InPacket = false;

    Qt::CaseSensitivity Cs() const {
        return CaseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    }
};

TComDataPacket::TComDataPacket(QObject* parent) : QObject(parent), d(new TImpl) {
    d->Link.OnRxBuf = [this](const QByteArray& chunk) { HandleChunk(chunk); };
}

TComDataPacket::~TComDataPacket() {
    try {
        SetComPort(nullptr);
    } catch (const EComPort&) {
        // the port no longer knew the link: nothing to undo
    }
    delete d;
}

TComPort* TComDataPacket::ComPort() const {
    return d->Port;
}

void TComDataPacket::SetComPort(TComPort* port) {
    if (port == d->Port)
        return;
    if (d->Port)
        d->Port->UnRegisterLink(&d->Link);
    d->Port = nullptr;
    if (port) {
        port->RegisterLink(&d->Link);
        d->Port = port;
    }
}

QString TComDataPacket::StartString() const {
    return d->StartString;
}

void TComDataPacket::SetStartString(const QString& s) {
    d->StartString = s;
    ResetBuffer();
}

QString TComDataPacket::StopString() const {
    return d->StopString;
}

void TComDataPacket::SetStopString(const QString& s) {
    d->StopString = s;
    ResetBuffer();
}

int TComDataPacket::Size() const {
    return d->Size;
}

void TComDataPacket::SetSize(int size) {
    d->Size = size;
    ResetBuffer();
}

bool TComDataPacket::IncludeStrings() const {
    return d->IncludeStrings;
}
void TComDataPacket::SetIncludeStrings(bool on) {
    d->IncludeStrings = on;
}
bool TComDataPacket::CaseInsensitive() const {
    return d->CaseInsensitive;
}

void TComDataPacket::SetCaseInsensitive(bool on) {
    d->CaseInsensitive = on;
    ResetBuffer();
}

int TComDataPacket::MaxBufferSize() const {
    return d->MaxBufferSize;
}
void TComDataPacket::SetMaxBufferSize(int size) {
    d->MaxBufferSize = size;
}

void TComDataPacket::ResetBuffer() {
    d->InPacket = false;
    if (d->Buffer.isEmpty())
        return;
    const QString discarded = d->Buffer;
    d->Buffer.clear();
    if (OnDiscard)
        OnDiscard(discarded);
}

void TComDataPacket::HandleChunk(const QByteArray& chunk) {
    if (d->StopString.isEmpty() && d->Size < 1) {
        if (OnPacket)
            OnPacket(FromCodePage(chunk));
        return;
    }
    d->Buffer += FromCodePage(chunk);
    const Qt::CaseSensitivity cs = d->Cs();
    for (;;) {
        if (!d->InPacket) {
            if (d->StartString.isEmpty()) {
                d->InPacket = true;
            } else {
                const int p = d->Buffer.indexOf(d->StartString, 0, cs);
                if (p < 0)
                    break;
                d->InPacket = true;
                if (p > 0) {
                    const QString discarded = d->Buffer.left(p);
                    d->Buffer.remove(0, p);
                    if (OnDiscard)
                        OnDiscard(discarded);
                }
            }
        }
        int length = -1;
        if (d->Size > 0 && d->Buffer.size() >= d->Size) {
            length = d->Size;
        } else if (!d->StopString.isEmpty()) {
            const int q = d->Buffer.indexOf(d->StopString, d->StartString.size(), cs);
            if (q >= 0)
                length = q + d->StopString.size();
        }
        if (length < 0)
            break;
        QString packet = d->Buffer.left(length);
        d->Buffer.remove(0, length);
        d->InPacket = false;
        if (!d->IncludeStrings) {
            if (!d->StartString.isEmpty() && packet.startsWith(d->StartString, cs))
                packet.remove(0, d->StartString.size());
            if (!d->StopString.isEmpty()) {
                const int s = packet.indexOf(d->StopString, 0, cs);
                if (s >= 0 && s + d->StopString.size() == packet.size())
                    packet.chop(d->StopString.size());
            }
        }
        if (OnPacket)
            OnPacket(packet);
    }
    if (d->MaxBufferSize > 0 && d->Buffer.size() >= d->MaxBufferSize) {
        const QString discarded = d->Buffer;
        d->Buffer.clear();
        d->InPacket = false;
        if (OnDiscard)
            OnDiscard(discarded);
    }
}

QString TComDataPacket::Buffer() const {
    return d->Buffer;
}
