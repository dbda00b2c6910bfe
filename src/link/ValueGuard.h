#pragma once

#include "profile/DevCommands.h"

#include <QString>

// A value goes on the line between commas of one command line; a character
// below 32 in it (CR, LF, TAB, NUL...) could end that line and start another
// command, and a comma or a double quote would move the rest of the value
// into the next parameters. Such a value is never sent.

// Position of the first character below 32 or DEL (127, which erases on a
// terminal line) in text, or -1.
qsizetype FirstControlChar(const QString& text);

enum TUnsafeKind { ukNone, ukControl, ukSeparator };

// The first parameter of a row whose value cannot go on the line, and why.
struct TUnsafeValue {
    int Param = -1;
    TUnsafeKind Kind = ukNone;
};

// Why text cannot stand as one value on the line (ukNone: it can).
TUnsafeKind UnsafeValueKind(const QString& text);

// The log line for a command refused because parameter param of it holds
// such a character. Names the command and the parameter, never the value.
QString UnsafeValueMessage(const TDevCommand& command, int param, TUnsafeKind kind = ukControl);
