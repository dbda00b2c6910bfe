#pragma once

#include "profile/ParamValues.h"

#include <QJsonObject>
#include <QString>
#include <QVector>
#include <functional>

// One parameter whose value differs between two stores.
struct TValueDifference {
    QString Command;
    int Row = 0; // zero-based; shown from 1
    int Param = 0;
    QString Parameter; // the profile's description
    QString Left;      // the reference (the file)
    QString Right;     // the tracker or the second file
};

struct TCompareRules {
    // Which commands take part (page, command); all when unset.
    std::function<bool(int page, int command)> Include;
    // Compare the switches of optional parameters too (two files). A tracker
    // has no switches, only values.
    bool Switches = false;
    // Leave out parameters that a read does not take (overwrite off): a
    // tracker's store never holds their value.
    bool SkipNotOverwritten = false;
};

// Every differing parameter of the commands the rules include, in profile
// order. A switched-off parameter shows as "(off)" plus its value.
QVector<TValueDifference> CompareValues(const TParamValues& left, const TParamValues& right,
                                        const TCompareRules& rules);

QString DifferenceLine(const TValueDifference& d, const QString& leftName,
                       const QString& rightName);
QJsonObject DifferenceJson(const TValueDifference& d, const QString& leftKey,
                           const QString& rightKey);
