#include "app/TextUtils.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    QString buffer = text;
    QString line;
    qsizetype consumed = 0;
    while (ExtractLine(buffer, line)) {
        // Every found line shortens the buffer: no endless loop.
        if (buffer.size() + line.size() >= text.size() - consumed)
            __builtin_trap();
        consumed = text.size() - buffer.size();
    }
    QStringList items;
    SplitList(text, items);
    return 0;
}
