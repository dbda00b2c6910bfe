#pragma once

#include "config/ValueDiff.h"
#include "link/WriteCheck.h"

#include <QJsonObject>
#include <QString>

// One parameter whose value differs, as the tool prints it.
struct TValueDifference {
    QString Command;
    int Row = 0; // zero-based; shown from 1
    int Param = 0;
    QString Parameter; // the profile's description
    QString Left;      // the reference (the file, or what was sent)
    QString Right;     // the tracker or the second file
};

// A compared value: a switched-off one shows as "(off)" and its value.
TValueDifference DifferenceOf(const TValueDiffRow& row);
// A value the tracker did not take: what was sent and what it holds.
TValueDifference DifferenceOf(const TNotTaken& value);
// A value only one side holds; the other shows as "(absent)".
TValueDifference OneSidedDifference(const TCmdAddress& address, const QString& left,
                                    const QString& right);
// The text of a value of one side, "(off)" before it when switched off.
QString ShownValue(const QString& wire, bool enabled);
// The text of a side that lacks the value.
QString AbsentValue();

QString DifferenceLine(const TValueDifference& d, const QString& leftName,
                       const QString& rightName);
QJsonObject DifferenceJson(const TValueDifference& d, const QString& leftKey,
                           const QString& rightKey);
