#pragma once

#include <QString>
#include <QVector>

// The status window's fields: their captions by control name and the
// groups that show them, in the order shown. The window builds its groups
// from this table and the command-line tool lists the decoded fields in the
// same order and with the same captions, so both speak of a field the same
// way.
struct TStatusFieldName {
    const char* Control; // e.g. "eDevName"
    const char* Caption; // untranslated; StatusFieldCaption translates
};

// Row names that are no edit box: the three discrete-state boxes
// (cDState1..3) in one row, and the memory overflow warning.
constexpr char kDiscreteStatesRow[] = "cDState";
constexpr char kOverflowWarningRow[] = "lMemoryOverflow";

enum TStatusColumn { scLeft, scSensors, scRight };

struct TStatusGroup {
    const char* Caption; // untranslated; StatusGroupCaption translates
    TStatusColumn Column;
    QVector<TStatusFieldName> Rows; // top to bottom
};

// Every row of every group, in the order the window shows them.
const QVector<TStatusFieldName>& StatusFieldNames();
// The groups column by column, top to bottom; the sensor groups sit inside
// the group of StatusSensorsCaption.
const QVector<TStatusGroup>& StatusGroups();

// The caption of a control through the installed translator; the control
// name itself when the table does not hold it.
QString StatusFieldCaption(const QString& control);
QString StatusGroupCaption(const TStatusGroup& group);
QString StatusSensorsCaption();

// Caption of the three discrete-state boxes (cDState1..3) and of the memory
// overflow warning.
QString StatusDiscreteStateCaption();
QString StatusOverflowWarning();
