#include "base/TextUtils.h"

#include <cstdint>

// Line cutting both ways (cutting the buffer's front, walking a position)
// must agree line for line, and list splitting must never fail on any text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    QString buffer = text;
    QString line;
    QString walked;
    qsizetype pos = 0;
    qsizetype consumed = 0;
    while (ExtractLine(buffer, line)) {
        // Every found line shortens the buffer: no endless loop.
        if (buffer.size() + line.size() >= text.size() - consumed)
            __builtin_trap();
        consumed = text.size() - buffer.size();
        if (!ExtractLine(text, pos, walked) || walked != line || pos != consumed)
            __builtin_trap();
    }
    if (ExtractLine(text, pos, walked))
        __builtin_trap();
    QStringList items;
    SplitList(text, items);
    if (SplitList(text) != items)
        __builtin_trap();
    return 0;
}
