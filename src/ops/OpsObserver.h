#pragma once

#include "profile/DevCommands.h"

// What an operation on a tracker is doing.
enum TOpsPhase { opReading, opWriting, opVerifying, opStoring, opStreaming };

// One step: the command (and row) about to be handled, done of total steps
// of the phase before it.
struct TOpsStep {
    TOpsPhase Phase = opReading;
    int Done = 0;
    int Total = 0;
    TCmdAddress At;
};

// What an operation asks of the front end that runs it, in the manner of
// TLinkHost: the operation walks, the front end decides what to show and
// whether to go on. Every call comes from the operation's own thread.
class TOpsObserver {
public:
    virtual ~TOpsObserver() = default;
    virtual void Step(const TOpsStep& step) { Q_UNUSED(step); }
    // Asked before every exchange: true ends the operation there (Ctrl+C).
    virtual bool StopRequested() { return false; }
};
