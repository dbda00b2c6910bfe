#pragma once

#include "OpsObserver.h"

#include <QString>
#include <QVector>
#include <functional>

class TDeviceLink;
class TParamValues;

// How the read of one command went.
enum TReadState {
    rsRead,        // every value a read takes came
    rsUnsupported, // the tracker answered NOT SUPPORTED
    rsIncomplete,  // no answer after the retries, a short answer, a value not understood
    rsRefused,     // the tracker answered with an error
    rsFailed,      // the exchange failed or command mode was lost for good: the read stops
};

enum TIncompleteWhy { iwNone, iwNoAnswer, iwShort, iwUnreadable };

struct TCommandRead {
    TCmdAddress Command; // Page and Command
    TReadState State = rsRead;
    TIncompleteWhy Why = iwNone;
    TCmdAddress Missing; // incomplete: the first value the store did not get
    QString Refusal;     // refused: the tracker's words
};

struct TReadResult {
    QVector<TCommandRead> Commands; // in the order read
    bool Interrupted = false;

    // The read stopped on a failed exchange (the last command).
    bool Failed() const;
    // Every command read or unsupported, to the end.
    bool Complete() const;
    int Count(TReadState state) const;
    const TCommandRead* Find(int page, int command) const;
};

// Reads each command (Page, Command) into values, a fresh store that then
// holds exactly what the tracker sent (TParamValues::Held): no default stands
// in for a value that did not come. A command whose answer is missing, short
// or not understood is named and the others are read all the same; a failed
// exchange ends the read. Needs command mode or enters it through the link.
TReadResult ReadCommands(TDeviceLink& link, TParamValues& values,
                         const QVector<TCmdAddress>& commands, TOpsObserver& observer,
                         TOpsPhase phase = opReading);

// The readable commands include() picks, in page order.
QVector<TCmdAddress> ReadableCommands(const std::function<bool(int page, int command)>& include);

// The parameters a read never takes (overwrite off) keep the program's own
// value, as the pages show and save it: a file of a read holds them so, for
// every command read whole.
void HoldProgramValues(TParamValues& values, const TReadResult& read);
