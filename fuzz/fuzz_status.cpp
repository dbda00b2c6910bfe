// Status report lines as they come off the stream, applied one after another
// to the same fields, as the status window does.
#include "status/StatusParser.h"

#include <cstdint>

namespace {
constexpr QLatin1Char kLineEnd('\n');
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const TStatusTexts texts = LoadStatusTexts();
    const QString stream =
        QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    TStatusFields fields;
    for (const QString& raw : stream.split(kLineEnd)) {
        const TStatusChange change = ParseStatusReport(raw.trimmed(), texts, fields);
        if (change.Report.isEmpty() && !change.Controls.isEmpty())
            __builtin_trap();
        for (const QString& control : change.Controls) {
            if (!fields.Texts.contains(control))
                __builtin_trap();
        }
    }
    return 0;
}
