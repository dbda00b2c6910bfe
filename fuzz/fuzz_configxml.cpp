// The configuration reader past the zlib layer: the input is the XML text,
// compressed here so that mutations land in the walk and the value rules
// instead of breaking the stream.
#include "ConfigFuzzSink.h"

#include <cstdint>
#include <zlib.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LoadFuzzProfileOnce();
    uLongf packedSize = compressBound(uLong(size));
    QByteArray packed(qsizetype(packedSize), Qt::Uninitialized);
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, data, uLong(size),
                  Z_BEST_SPEED) != Z_OK)
        __builtin_trap();
    packed.resize(qsizetype(packedSize));
    LoadFuzzConfiguration(packed);
    return 0;
}
