#pragma once

#include "DevCommands.h"

#include <QString>

// What a store holds of a parameter: its value, its switch, or both.
enum THeldPart : int { hpValue = 1, hpSwitch = 2 };

// The parameter values of one tracker, wherever they live: the window's
// pages (editors and switches, whose own rules run on every change) or a
// plain table. Addresses index the command table; an address outside it is
// answered with "absent" and changes nothing.
class TParamValues {
public:
    virtual ~TParamValues() = default;

    // The command is held by this store at all.
    virtual bool HasCommand(int page, int command) const = 0;
    // Held and not marked unsupported by the tracker.
    virtual bool CommandUsable(int page, int command) const = 0;
    // The tracker answered NOT SUPPORTED: page operations skip it from now on.
    virtual void MarkUnsupported(int page, int command) = 0;

    // The parameter has a value here (an editor on a page).
    virtual bool HasValue(const TCmdAddress& address) const = 0;
    // The optional parameter has a switch here.
    virtual bool HasSwitch(const TCmdAddress& address) const = 0;
    // An optional parameter is switched on (a parameter that is not optional
    // counts as on).
    virtual bool ParameterEnabled(const TCmdAddress& address) const = 0;
    virtual void SetParameterEnabled(const TCmdAddress& address, bool on) = 0;

    // The value as it goes on the wire and into a file: the text, or the
    // selected option's value ("" when none is selected).
    virtual QString WireText(const TCmdAddress& address) const = 0;
    // Takes a value as the tracker sends it: the text (the store's value
    // rules apply), or the first option with that value (none: unchanged).
    virtual void SetWireText(const TCmdAddress& address, const QString& text) = 0;
    // Selects an option by position (loading a file names the position).
    virtual void SelectOption(const TCmdAddress& address, int option) = 0;

    // What the store holds of the parameter (THeldPart bits): a store that
    // starts from defaults holds only what was set through it, so a default
    // never passes for a value the tracker or a file gave. The pages show
    // every value they have and hold it all.
    virtual int Held(const TCmdAddress& address) const {
        Q_UNUSED(address);
        return hpValue | hpSwitch;
    }
};
