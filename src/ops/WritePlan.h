#pragma once

#include "profile/DevCommands.h"

#include <QVector>

class TParamValues;

// Which rows a write sends and what each carries: only rows the source
// holds a value of go out, and each goes out as the tracker holds it with
// the source's values and switches over it, so that nothing the source does
// not hold is changed.

// Rows of writable commands the source holds at least one value of, in the
// order a page write sends them (page, command, row); gsNo commands and
// commands the source knows as unsupported are left out.
QVector<TCmdAddress> SourceRows(const TParamValues& source);

// The source alone decides every value of the row (a value held, or an
// optional parameter it switches off): the tracker's row is not needed.
bool SourceCoversRow(const TParamValues& source, const TCmdAddress& row);

// Puts the row to send into out: per parameter the source's switch and
// value where it holds them, else the tracker's value; an optional
// parameter that neither holds goes out switched off. False, with missing
// set, when a parameter that is not optional has a value on neither side.
bool MergeRow(const TParamValues& source, const TParamValues& tracker, const TCmdAddress& row,
              TParamValues& out, TCmdAddress* missing);
