#pragma once

#include "CommandRead.h"
#include "config/ParamValueTable.h"
#include "link/DeviceLink.h"

#include <QString>
#include <QVector>

class TParamValues;

struct TWriteOptions {
    // Read the written commands back and compare every value sent.
    bool Verify = true;
    // Store in flash once every row was confirmed and every value matched.
    bool Store = false;
    // The tracker's values as just read (the compare window's): commands it
    // holds whole are not read again.
    const TParamValues* Known = nullptr;
};

// Why a write stopped. The kinds before wfExchange stop it before any row
// is sent.
enum TWriteFailure {
    wfNone,
    wfReadFailed,   // reading (first or back) lost the port
    wfNoValue,      // a parameter that is not optional has a value on neither side
    wfUnreadRow,    // the tracker did not give the row whole and the source does not cover it
    wfUnsafeValue,  // a value cannot go on the line (Unsafe)
    wfNoPassword,   // no password for the command's mode
    wfExchange,     // the port failed on the row
    wfRefused,      // the tracker refused the row (Refusal)
    wfNotConfirmed, // no answer that confirms the row
};

struct TWriteResult {
    bool WasWritten(const TCmdAddress& row) const;

    TParamValueTable Before; // the tracker's values read first (a backup of them)
    TParamValueTable After;  // the written commands read back
    // The rows to send, refreshed by the tracker's answer to each written one.
    TParamValueTable Answered;
    TReadResult BeforeRead; // commands read first (not those known already)
    TReadResult AfterRead;
    QVector<TCmdAddress> Rows;        // rows to send, in order
    QVector<TCmdAddress> Written;     // rows the tracker confirmed
    int CommandsWritten = 0;          // commands with a row confirmed
    QVector<TCmdAddress> Unsupported; // commands the tracker does not know: left out
    QVector<TNotTaken> Mismatches;    // values the answer or the read-back showed otherwise
    QVector<TCmdAddress> Unverified;  // values sent that the read-back did not give
    TWriteFailure Failure = wfNone;
    TCmdAddress At;              // the row, command or parameter the failure names
    TUnsafeKind Unsafe = ukNone; // wfUnsafeValue
    QString Refusal;             // wfRefused: the tracker's words
    bool Interrupted = false;
    bool StoreTried = false;
    TFlashStore Store = fsNoCommandMode; // when tried
    TAnswerOutcome StoreAnswer;          // what the tracker said to it
};

// Writes the rows of source that it holds values of: read (what the
// tracker holds of every command concerned), change (each row the tracker's
// with the source's values over it), check every row before the first goes
// out, write in page order up to the first row not confirmed, verify
// (optionally) with the one wire-equivalence rule and store (optionally)
// only when all went through. Logs through the link as the page writes do.
TWriteResult WriteValues(TDeviceLink& link, const TParamValues& source,
                         const TWriteOptions& options, TOpsObserver& observer);
