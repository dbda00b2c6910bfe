#pragma once

#include "ConfigFile.h"
#include "ValueDiff.h"

#include <QByteArray>
#include <QString>

class TParamValues;

struct TFileComparison {
    TConfigFileResult Load; // how reading the file went
    TValueDiff Diff;
};

// Takes the command elements the profile does not know out of a
// configuration text (a load would stop at the first one); count tells how
// many there were.
QByteArray WithoutUnknownCommands(const QByteArray& text, int* count);

// Reads a configuration file into a value table of its own, with the rules
// of loading, and compares it with pages; the pages are not touched.
// Commands unknown to the profile are passed over and counted; every value
// the rules refuse is reported and counted as not readable.
TFileComparison CompareWithFile(const QString& fileName, const TParamValues& pages,
                                TConfigReport& report);
