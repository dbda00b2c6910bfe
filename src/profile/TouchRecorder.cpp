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
    if (!FTarget.HasValue(address) && !FTarget.HasSwitch(address))
        return;
    int& touches = FTouches[AddressKey(address)];
    if (touches == 0)
        FOrder.append(address);
    touches |= touch;
}

bool TTouchRecorder::HasCommand(int page, int command) const {
    return FTarget.HasCommand(page, command);
}

bool TTouchRecorder::CommandUsable(int page, int command) const {
    return FTarget.CommandUsable(page, command);
}

void TTouchRecorder::MarkUnsupported(int page, int command) {
    FTarget.MarkUnsupported(page, command);
}

bool TTouchRecorder::HasValue(const TCmdAddress& address) const {
    return FTarget.HasValue(address);
}

bool TTouchRecorder::HasSwitch(const TCmdAddress& address) const {
    return FTarget.HasSwitch(address);
}

bool TTouchRecorder::ParameterEnabled(const TCmdAddress& address) const {
    return FTarget.ParameterEnabled(address);
}

void TTouchRecorder::SetParameterEnabled(const TCmdAddress& address, bool on) {
    FTarget.SetParameterEnabled(address, on);
    Record(address, tcSwitch);
}

QString TTouchRecorder::WireText(const TCmdAddress& address) const {
    return FTarget.WireText(address);
}

void TTouchRecorder::SetWireText(const TCmdAddress& address, const QString& text) {
    FTarget.SetWireText(address, text);
    Record(address, tcValue);
}

void TTouchRecorder::SelectOption(const TCmdAddress& address, int option) {
    FTarget.SelectOption(address, option);
    Record(address, tcValue);
}
