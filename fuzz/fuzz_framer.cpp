// The line framer over a received stream cut into random pieces. Three header
// bytes pick the framing (start, stop, fixed size, options) and seed the
// chunking; the rest is the stream. While nothing overflows, the packets
// must not depend on where the port happened to cut the stream.
#include "link/ComDataPacket.h"

#include <QStringList>
#include <cstdint>

namespace {

constexpr size_t kHeaderBytes = 3;
constexpr int kMaxChunk = 97;

const char* const kStarts[] = {"", "", "+RESP:", "$"};
const char* const kStops[] = {"\r", "\r\n", ">", ""};

struct TRun {
    QStringList Packets;
    QString Discarded;
    QString Rest;
};

TRun Feed(const uint8_t* data, size_t size, uint8_t mode, uint32_t seed, bool whole) {
    TComDataPacket packet;
    packet.SetStartString(QString::fromLatin1(kStarts[mode & 3]));
    packet.SetStopString(QString::fromLatin1(kStops[(mode >> 2) & 3]));
    packet.SetSize((mode & 0x10) ? 1 + int(seed % 40) : 0);
    packet.SetIncludeStrings(mode & 0x20);
    packet.SetCaseInsensitive(mode & 0x40);
    if (mode & 0x80)
        packet.SetMaxBufferSize(16 + int(seed % 200));
    else if (size >= size_t(kPacketMaxBufferSize))
        packet.SetMaxBufferSize(0); // unbounded, so chunking cannot matter
    TRun run;
    packet.OnPacket = [&run](const QString& p) { run.Packets.append(p); };
    packet.OnDiscard = [&run](const QString& p) { run.Discarded += p; };
    uint32_t state = seed | 1;
    for (size_t pos = 0; pos < size;) {
        state = state * 1103515245u + 12345u;
        const size_t step = whole ? size : 1 + (state >> 16) % kMaxChunk;
        const size_t n = pos + step <= size ? step : size - pos;
        packet.HandleChunk(QByteArray(reinterpret_cast<const char*>(data + pos), qsizetype(n)));
        pos += n;
        if (packet.MaxBufferSize() > 0 && packet.Buffer().size() >= packet.MaxBufferSize())
            __builtin_trap();
    }
    run.Rest = packet.Buffer();
    return run;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kHeaderBytes)
        return 0;
    const uint8_t mode = data[0];
    const uint32_t seed = uint32_t(data[1]) << 8 | data[2];
    data += kHeaderBytes;
    size -= kHeaderBytes;
    const TRun chunked = Feed(data, size, mode, seed, false);
    const bool bounded = mode & 0x80;
    // A fixed size together with a stop text ends a packet at whichever the
    // buffer shows first, which does depend on the cuts.
    const bool sized = mode & 0x10;
    const bool stopped = ((mode >> 2) & 3) != 3;
    if (!bounded && sized != stopped) {
        const TRun whole = Feed(data, size, mode, seed, true);
        if (whole.Packets != chunked.Packets || whole.Rest != chunked.Rest ||
            whole.Discarded != chunked.Discarded)
            __builtin_trap();
    }
    return 0;
}
