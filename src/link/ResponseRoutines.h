#pragma once

#include <QString>

class TDeviceLink;

// What a link does with the answer to a command, chosen by the routine name
// the profile gives the command.
using TResponseRoutine = void (TDeviceLink::*)(int page, int command, int row, int param,
                                               const QString& answer);

// The routine under a name, letter case aside; an unknown name gets the one
// under the empty name (the default routine). The registry is filled once,
// on first use, and only read after that, so links on several threads share
// it without a lock.
TResponseRoutine FindResponseRoutine(const QString& name);
