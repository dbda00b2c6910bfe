#pragma once

#include <QByteArray>
#include <zlib.h>

// Inflates a whole zlib stream independently of the program's own reader.
inline QByteArray InflateAll(const QByteArray& data) {
    z_stream s{};
    if (inflateInit(&s) != Z_OK)
        return {};
    QByteArray out;
    char piece[4096];
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    s.avail_in = static_cast<uInt>(data.size());
    int rc = Z_OK;
    while (rc == Z_OK) {
        s.next_out = reinterpret_cast<Bytef*>(piece);
        s.avail_out = sizeof(piece);
        rc = inflate(&s, Z_NO_FLUSH);
        out.append(piece, static_cast<int>(sizeof(piece) - s.avail_out));
    }
    inflateEnd(&s);
    return rc == Z_STREAM_END ? out : QByteArray("<inflate failed>");
}
