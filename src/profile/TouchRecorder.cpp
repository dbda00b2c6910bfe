#include "TouchRecorder.h"

quint64 AddressKey(const TCmdAddress& address) {
    return (quint64(quint16(address.Page)) << 48) | (quint64(quint16(address.Command)) << 32) |
           (quint64(quint16(address.Row)) << 16) | quint64(quint16(address.Param));
}

int TTouchRecorder::Touches(const TCmdAddress& address) const {
    return FTouches.value(AddressKey(address), 0);
}

void TTouchRecorder::Clear() {
    FTouches.clear();
    FOrder.clear();
}

void TTouchRecorder::Record(const TCmdAddress& address, int touch) {
    // Only what the store holds counts: an address outside it changed nothing.
    if (!Target().HasValue(address) && !Target().HasSwitch(address))
        return;
    int& touches = FTouches[AddressKey(address)];
    if (touches == 0)
        FOrder.append(address);
    touches |= touch;
}

void TTouchRecorder::SetParameterEnabled(const TCmdAddress& address, bool on) {
    TForwardingValues::SetParameterEnabled(address, on);
    Record(address, tcSwitch);
}

void TTouchRecorder::SetWireText(const TCmdAddress& address, const QString& text) {
    TForwardingValues::SetWireText(address, text);
    Record(address, tcValue);
}

void TTouchRecorder::SelectOption(const TCmdAddress& address, int option) {
    TForwardingValues::SelectOption(address, option);
    Record(address, tcValue);
}
