#pragma once

#include "profile/ParamValues.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The parameter values of one tracker as a plain table over the command
// table, for everything without a window. Values start at the profile's
// defaults (optional parameters switched on, as on fresh pages) and take a
// value as the page's editor would. A fresh table holds nothing (Held) but
// still answers the defaults; a value or switch set through it is held,
// except a text the value would not take (a number that is none, an
// option the list does not know).
class TParamValueTable : public TParamValues {
public:
    // Sized from DevCommands as loaded now; call Reset() after a reload.
    TParamValueTable();
    void Reset();

    bool HasCommand(int page, int command) const override;
    bool CommandUsable(int page, int command) const override;
    void MarkUnsupported(int page, int command) override;
    bool HasValue(const TCmdAddress& address) const override;
    bool HasSwitch(const TCmdAddress& address) const override;
    bool ParameterEnabled(const TCmdAddress& address) const override;
    void SetParameterEnabled(const TCmdAddress& address, bool on) override;
    QString WireText(const TCmdAddress& address) const override;
    void SetWireText(const TCmdAddress& address, const QString& text) override;
    void SelectOption(const TCmdAddress& address, int option) override;
    int Held(const TCmdAddress& address) const override;

private:
    struct TValue {
        QString Text;    // text parameters
        int Option = -1; // option parameters
        bool Enabled = false;
        int Held = 0; // THeldPart bits
    };
    struct TCommandValues {
        bool Unsupported = false;
        QVector<TValue> Values; // row * parameter count + parameter
    };
    const TValue* Find(const TCmdAddress& address) const;
    TValue* Find(const TCmdAddress& address);

    QVector<QVector<TCommandValues>> FPages;
};
