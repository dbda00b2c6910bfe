// A configuration file's bytes as read from disk: the zlib stream, then the
// XML walk over whatever it inflates to.
#include "ConfigFuzzSink.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LoadFuzzProfileOnce();
    LoadFuzzConfiguration(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
