#pragma once

#include "RegisterEvent.h"

#include <QByteArray>
#include <QString>
#include <QVector>

class TParamValues;

// An event's configuration is kept as the bytes of a .zxml file of the
// values a store holds, so that any snapshot can be saved as a file and
// loaded back like one.
QByteArray SnapshotOf(const TParamValues& values);
// False with the loader's message when the bytes are no configuration or
// do not fit the profile.
bool LoadSnapshot(const QByteArray& bytes, TParamValues& values, QString& error);

// Every value both hold that after has otherwise than before (wire texts).
QVector<TRegisterChange> ChangedValues(const TParamValues& before, const TParamValues& after);
