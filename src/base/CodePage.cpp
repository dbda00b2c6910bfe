#include "CodePage.h"

#include <array>

namespace {

constexpr char kReplacement = '?';
constexpr int kFirstHighByte = 0x80;
constexpr int kByteCount = 0x100;
constexpr int kFirstLetterByte = 0xC0;
constexpr char16_t kFirstLetter = 0x0410;

// Windows-1251 from 0x80 to 0xBF (0x98 keeps its C1 control, as Qt's codec
// does, so that every byte survives a round trip).
constexpr char16_t kSymbols[kFirstLetterByte - kFirstHighByte] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};

// The byte's character: the letters А..я stand from 0xC0 on in Unicode's
// order.
constexpr char16_t HighByteChar(int b) {
    return b >= kFirstLetterByte ? char16_t(kFirstLetter + (b - kFirstLetterByte))
                                 : kSymbols[b - kFirstHighByte];
}

// Reverse map, built once: UTF-16 unit -> byte, 0 where the code page has
// no such character (NUL itself is ASCII and never looked up).
const std::array<unsigned char, 0x10000>& ReverseTable() {
    static const auto table = [] {
        std::array<unsigned char, 0x10000> t{};
        for (int b = kFirstHighByte; b < kByteCount; ++b)
            t[HighByteChar(b)] = static_cast<unsigned char>(b);
        return t;
    }();
    return table;
}

} // namespace

// A hand-written table rather than QStringEncoder: Qt's encoder writes SUB
// (0x1A) for characters the code page lacks, where "?" is wanted, and the
// table does not depend on the codecs Qt was built with.
QByteArray ToCodePage(const QString& text) {
    const auto& reverse = ReverseTable();
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (u < kFirstHighByte) {
            out.append(char(u));
            continue;
        }
        // A surrogate pair is one character and becomes one "?".
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        const unsigned char b = reverse[u];
        out.append(b != 0 ? char(b) : kReplacement);
    }
    return out;
}

QString FromCodePage(const QByteArray& bytes) {
    QString out;
    out.resize(bytes.size());
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes.at(i));
        d[i] = b < kFirstHighByte ? QChar(b) : QChar(HighByteChar(b));
    }
    return out;
}

QString FitCodePage(const QString& text) {
    const auto& reverse = ReverseTable();
    qsizetype i = 0;
    while (i < text.size() &&
           (text.at(i).unicode() < kFirstHighByte || reverse[text.at(i).unicode()] != 0))
        ++i;
    if (i == text.size())
        return text;
    return FromCodePage(ToCodePage(text));
}
