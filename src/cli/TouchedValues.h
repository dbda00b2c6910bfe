#pragma once

#include "profile/ParamValues.h"

#include <QSet>

// A value store that notes which commands got anything set through it, so
// that a configuration file's commands can be told from the defaults around
// them. Everything else goes straight to the store underneath.
class TTouchedValues : public TParamValues {
public:
    explicit TTouchedValues(TParamValues& inner) : FInner(inner) {}

    bool Touched(int page, int command) const { return FTouched.contains(Key(page, command)); }
    int TouchedCount() const { return int(FTouched.size()); }

    bool HasCommand(int page, int command) const override {
        return FInner.HasCommand(page, command);
    }
    bool CommandUsable(int page, int command) const override {
        return FInner.CommandUsable(page, command);
    }
    void MarkUnsupported(int page, int command) override { FInner.MarkUnsupported(page, command); }
    bool HasValue(const TCmdAddress& a) const override { return FInner.HasValue(a); }
    bool HasSwitch(const TCmdAddress& a) const override { return FInner.HasSwitch(a); }
    bool ParameterEnabled(const TCmdAddress& a) const override {
        return FInner.ParameterEnabled(a);
    }
    void SetParameterEnabled(const TCmdAddress& a, bool on) override {
        Touch(a);
        FInner.SetParameterEnabled(a, on);
    }
    QString WireText(const TCmdAddress& a) const override { return FInner.WireText(a); }
    void SetWireText(const TCmdAddress& a, const QString& text) override {
        Touch(a);
        FInner.SetWireText(a, text);
    }
    void SelectOption(const TCmdAddress& a, int option) override {
        Touch(a);
        FInner.SelectOption(a, option);
    }

private:
    static quint64 Key(int page, int command) {
        return (quint64(quint32(page)) << 32) | quint32(command);
    }
    void Touch(const TCmdAddress& a) {
        if (FInner.HasCommand(a.Page, a.Command))
            FTouched.insert(Key(a.Page, a.Command));
    }

    TParamValues& FInner;
    QSet<quint64> FTouched;
};
