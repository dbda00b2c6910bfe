#include "ConfigInflate.h"

#include <QIODevice>
#include <zlib.h>

namespace {

QString ZlibMessage(const z_stream& s, int rc) {
    return QString::fromLatin1(s.msg ? s.msg : zError(rc));
}

// Frees the inflate state on every path out.
struct TInflateGuard {
    z_stream* Stream;
    ~TInflateGuard() { inflateEnd(Stream); }
};

} // namespace

TConfigInflateResult InflateConfiguration(QIODevice& in) {
    TConfigInflateResult result;
    z_stream s{};
    const int init = inflateInit2(&s, kConfigWindowBits);
    if (init != Z_OK) {
        result.Status = isStreamError;
        result.Error = ZlibMessage(s, init);
        return result;
    }
    TInflateGuard guard{&s};

    QByteArray input(kConfigInBufferSize, Qt::Uninitialized);
    char piece[kConfigInflatePiece];
    bool streamEnd = false;
    bool inputEnd = false;
    while (!streamEnd) {
        // One piece: fill it until it is full, the stream ends or the input
        // runs dry (a file cut short keeps what came before the cut).
        s.next_out = reinterpret_cast<Bytef*>(piece);
        s.avail_out = kConfigInflatePiece;
        while (s.avail_out > 0 && !streamEnd) {
            if (s.avail_in == 0) {
                const qint64 got = inputEnd ? 0 : in.read(input.data(), input.size());
                if (got <= 0) {
                    inputEnd = true;
                    break;
                }
                s.next_in = reinterpret_cast<Bytef*>(input.data());
                s.avail_in = static_cast<uInt>(got);
            }
            const int rc = inflate(&s, Z_NO_FLUSH);
            if (rc == Z_STREAM_END) {
                streamEnd = true;
            } else if (rc != Z_OK) {
                result.Status = isStreamError;
                result.Error = ZlibMessage(s, rc);
                result.Text.clear();
                return result;
            }
        }
        const int length = kConfigInflatePiece - static_cast<int>(s.avail_out);
        result.Text.append(piece, length);
        if (result.Text.size() > kConfigMaxTextSize) {
            result.Status = isTooLarge;
            result.Text.clear();
            return result;
        }
        if (length < kConfigInflatePiece)
            break;
    }
    return result;
}
