#pragma once

#include "DevCommands.h"

#include <QString>

// Two wire texts of one parameter hold the same value: numbers compare by
// value (a tracker may answer "007" for 7 or "00ff" for "00FF"), texts and
// option values exactly.
bool SameWireValue(const TCmdParameter& param, const QString& a, const QString& b);

// A value as the operator reads it: an option's text, otherwise the text;
// a switched-off parameter shows as off.
QString DisplayWireValue(const TCmdParameter& param, const QString& wire, bool enabled);

// "#1", "#2", ... for a row of an indexed command; empty otherwise.
QString RowCaption(const TDevCommand& command, int row);
