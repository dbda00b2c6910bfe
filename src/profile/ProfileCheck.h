#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// What a profile's author will regret later, found without a device: names
// whose answers can never be recognised, names that shadow each other,
// defaults the editors refuse, option defaults that select nothing, types the
// loader does not know, pages without commands.
struct TProfileFinding {
    QString Command; // command name, or "page <id>" for a page finding
    QString Text;
};

// Loads the profile text into the command table (as the program does at
// start) and checks it. Empty when there is nothing to say.
QVector<TProfileFinding> CheckProfile(const QByteArray& xml);
