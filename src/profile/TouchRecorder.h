#pragma once

#include "ForwardingValues.h"

#include <QHash>
#include <QVector>

// A value store that passes everything on to another one and remembers
// which values and switches were set through it: what a read, a load or a
// write actually reached. It holds just that (Held).
class TTouchRecorder : public TForwardingValues {
public:
    enum TTouch : int { tcValue = hpValue, tcSwitch = hpSwitch };

    explicit TTouchRecorder(TParamValues& target) : TForwardingValues(target) {}

    // tcValue and/or tcSwitch; 0 when untouched.
    int Touches(const TCmdAddress& address) const;
    // Every address touched, in the order first touched.
    const QVector<TCmdAddress>& Touched() const { return FOrder; }
    void Clear();

    void SetParameterEnabled(const TCmdAddress& address, bool on) override;
    void SetWireText(const TCmdAddress& address, const QString& text) override;
    void SelectOption(const TCmdAddress& address, int option) override;
    int Held(const TCmdAddress& address) const override { return Touches(address); }

private:
    void Record(const TCmdAddress& address, int touch);

    QHash<quint64, int> FTouches;
    QVector<TCmdAddress> FOrder;
};

// One key per parameter address.
quint64 AddressKey(const TCmdAddress& address);
