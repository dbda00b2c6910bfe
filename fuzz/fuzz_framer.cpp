#include "link/ComDataPacket.h"

#include <cstdint>

// The first byte picks the chunking; the rest is the received stream.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    TComDataPacket packet;
    packet.SetStopString(QStringLiteral("\r"));
    qsizetype delivered = 0;
    packet.OnPacket = [&delivered](const QString& p) { delivered += p.size() + 1; };
    packet.OnDiscard = [&delivered](const QString& p) { delivered += p.size(); };
    const size_t step = 1 + data[0] % 64;
    for (size_t pos = 1; pos < size; pos += step) {
        const size_t n = pos + step <= size ? step : size - pos;
        packet.HandleChunk(QByteArray(reinterpret_cast<const char*>(data + pos), qsizetype(n)));
        if (packet.Buffer().size() >= kPacketMaxBufferSize)
            __builtin_trap();
    }
    return 0;
}
