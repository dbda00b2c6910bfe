#include "base/XmlParser.h"

#include <cstdint>

namespace {
constexpr int kPartsPerByteBound = 4;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TXmlParser parser;
    parser.LoadFromBuffer(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    size_t parts = 0;
    while (parser.Scan()) {
        (void)parser.CurName();
        (void)parser.CurContent();
        (void)parser.CurAttr(QStringLiteral("name"));
        // Each part consumes input: far more parts than bytes means a loop.
        if (++parts > kPartsPerByteBound * size + 8)
            __builtin_trap();
    }
    return 0;
}
