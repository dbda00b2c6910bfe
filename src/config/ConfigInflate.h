#pragma once

#include "ConfigFormat.h"

#include <QByteArray>
#include <QString>

class QIODevice;

enum TConfigInflateStatus {
    isComplete,   // text holds the whole stream (or what came before a cut)
    isTooLarge,   // over kConfigMaxTextSize; text is empty
    isStreamError // not a zlib stream or damaged; error holds zlib's message
};

struct TConfigInflateResult {
    TConfigInflateStatus Status = isComplete;
    QByteArray Text;
    QString Error;
};

// Reads a zlib stream from in, in pieces of kConfigInflatePiece bytes, and
// stops as soon as the text grows over the cap. Bytes after the end of the
// stream are ignored; an input that ends early yields the text so far; an
// empty input yields an empty text.
TConfigInflateResult InflateConfiguration(QIODevice& in);
