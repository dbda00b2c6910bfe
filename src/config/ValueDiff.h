#pragma once

#include "profile/ParamValues.h"

#include <QString>
#include <QVector>
#include <functional>

// One parameter whose value differs between the pages and another store (a
// file or the tracker read into a table).
struct TValueDiffRow {
    TCmdAddress Address;
    QString PageValue; // wire texts
    QString OtherValue;
    bool PageEnabled = true;
    bool OtherEnabled = true;
    bool OtherHasValue = true; // the other side gave a value (not only a switch)
};

struct TValueDiff {
    QVector<TValueDiffRow> Rows;
    int Compared = 0;     // parameters compared
    int NotInProfile = 0; // commands the other side holds that the profile does not know
    int NotReadable = 0;  // commands or values the other side could not give
    int Differing() const { return int(Rows.size()); }
};

// How switches count: a file holds them, a tracker's answer does not (there
// only the values of parameters switched on at the pages are compared).
enum TDiffSwitches { dsCompare, dsIgnore };

// Compares every parameter both sides hold (TParamValues::Held: the pages
// hold all, a file or a tracker's answer what it gave), in profile order,
// with the one wire-equivalence rule (SameWireValue).
TValueDiff CompareValues(const TParamValues& pages, const TParamValues& other,
                         TDiffSwitches switches);

// Puts the other side's values of the rows onto the pages through the
// pages' own rules: the switch first, then the value.
void TransferValues(const QVector<TValueDiffRow>& rows, TParamValues& pages);
