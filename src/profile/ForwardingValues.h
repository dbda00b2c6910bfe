#pragma once

#include "ParamValues.h"

// A value store that hands everything to another one: the base of stores
// that watch or adjust a few calls and leave the rest to their target.
class TForwardingValues : public TParamValues {
public:
    explicit TForwardingValues(TParamValues& target) : FTarget(target) {}

    bool HasCommand(int page, int command) const override {
        return FTarget.HasCommand(page, command);
    }
    bool CommandUsable(int page, int command) const override {
        return FTarget.CommandUsable(page, command);
    }
    void MarkUnsupported(int page, int command) override { FTarget.MarkUnsupported(page, command); }
    bool HasValue(const TCmdAddress& address) const override { return FTarget.HasValue(address); }
    bool HasSwitch(const TCmdAddress& address) const override { return FTarget.HasSwitch(address); }
    bool ParameterEnabled(const TCmdAddress& address) const override {
        return FTarget.ParameterEnabled(address);
    }
    void SetParameterEnabled(const TCmdAddress& address, bool on) override {
        FTarget.SetParameterEnabled(address, on);
    }
    QString WireText(const TCmdAddress& address) const override {
        return FTarget.WireText(address);
    }
    void SetWireText(const TCmdAddress& address, const QString& text) override {
        FTarget.SetWireText(address, text);
    }
    void SelectOption(const TCmdAddress& address, int option) override {
        FTarget.SelectOption(address, option);
    }
    int Held(const TCmdAddress& address) const override { return FTarget.Held(address); }

protected:
    TParamValues& Target() const { return FTarget; }

private:
    TParamValues& FTarget;
};
