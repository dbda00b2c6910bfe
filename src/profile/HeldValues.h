#pragma once

#include "ParamValues.h"

// Questions on what a store holds (TParamValues::Held), by command and row.

// Anything of the command: a value or a switch in any row.
bool HoldsCommand(const TParamValues& values, int page, int command);
// At least one value of the row (address.Param is ignored).
bool HoldsRowValue(const TParamValues& values, const TCmdAddress& row);
// Every value a read of the command takes (parameters it overwrites), in
// every row: what a whole answer leaves in a store.
bool HoldsWholeAnswer(const TParamValues& values, int page, int command);

// What a store holds of a command (its values, and its switches when asked;
// unsupported as it is), into another.
void CopyHeldCommand(const TParamValues& from, TParamValues& to, const TCmdAddress& command,
                     bool withSwitches = false);
// The same for every command of the profile.
void CopyHeld(const TParamValues& from, TParamValues& to, bool withSwitches = false);
