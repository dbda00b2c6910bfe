#pragma once

#include "profile/DevCommands.h"

#include <QString>
#include <QVector>

class TLinkHost;
class TParamValues;

// A value the tracker did not take: it answered a write with another one.
struct TNotTaken {
    TCmdAddress Address;
    QString Sent;
    QString Held;
};

// The log line of a value the tracker did not take (its answer or a read
// back shows another one).
QString NotTakenMessage(const TNotTaken& value);

// Checks the tracker's answer to a write against what was sent. The tracker
// answers a write with the values it now holds; a parameter whose value
// differs from the one sent was not taken.
class TWriteCheck {
public:
    // A write of the row at address is about to go out with these values.
    // A switched-off parameter sends nothing and is not checked.
    void Begin(const TParamValues* values, const TCmdAddress& address);
    void End() { FActive = false; }

    // An answer field for the parameter at address. True: nothing to say
    // (no write of that row, a parameter not sent, or the value sent).
    // False: the tracker kept another value; logged through host with the
    // value sent, and counted. Either way the store then shows what the
    // tracker holds.
    bool Take(const TCmdAddress& address, const QString& held, TLinkHost& host);

    // The row at address got no answer that confirms it (silence after the
    // retries, an error, NOT SUPPORTED, a short answer): logged and counted.
    void Unconfirmed(const TCmdAddress& address, const TDevCommand& command, TLinkHost& host);

    // Values not taken since the last Reset.
    const QVector<TNotTaken>& NotTaken() const { return FNotTaken; }
    // Rows (Param 0) not confirmed since the last Reset.
    const QVector<TCmdAddress>& NotConfirmed() const { return FNotConfirmed; }
    void Reset() {
        FNotTaken.clear();
        FNotConfirmed.clear();
    }
    // The closing line of a write of several rows.
    QString Summary() const;

private:
    bool FActive = false;
    TCmdAddress FRow;
    QVector<bool> FSent;
    QStringList FValues;
    QVector<TNotTaken> FNotTaken;
    QVector<TCmdAddress> FNotConfirmed;
};
