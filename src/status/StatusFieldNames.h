#pragma once

#include <QString>
#include <QVector>

// The captions of the status window's fields, by control name, in the order
// the window shows them. The window builds its labels from this table and
// the command-line tool names the decoded fields with it, so both speak of a
// field the same way.
struct TStatusFieldName {
    const char* Control; // e.g. "eDevName"
    const char* Caption; // untranslated; StatusFieldCaption translates
};

const QVector<TStatusFieldName>& StatusFieldNames();

// The caption of a control through the installed translator; the control
// name itself when the table does not hold it.
QString StatusFieldCaption(const QString& control);

// Caption of the three discrete-state boxes (cDState1..3) and of the memory
// overflow warning.
QString StatusDiscreteStateCaption();
QString StatusOverflowWarning();
