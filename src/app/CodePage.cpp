#include "CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr char kCodePageName[] = "windows-1251";
constexpr char kReplacement = '?';
} // namespace

QByteArray ToCodePage(const QString& text) {
    // Qt's encoder writes SUB (0x1A) for characters the code page lacks, so
    // encode piecewise and put "?" where a character does not survive.
    QStringEncoder encoder(kCodePageName);
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
            out.append(char(c.unicode()));
            continue;
        }
        qsizetype len = 1;
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            len = 2;
        const QByteArray piece = encoder.encode(QStringView(text).mid(i, len));
        if (piece.size() == 1 && piece.at(0) != 0x1A)
            out.append(piece);
        else
            out.append(kReplacement);
        i += len - 1;
    }
    return out;
}

QString FromCodePage(const QByteArray& bytes) {
    QStringDecoder decoder(kCodePageName);
    QString out = decoder.decode(bytes);
    return out;
}

QString FitCodePage(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return FromCodePage(ToCodePage(text));
    }
    return text;
}
