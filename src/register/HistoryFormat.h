#pragma once

#include "RegisterEvent.h"

#include <QJsonObject>
#include <QString>

// How velmora-cli prints the register's events. The keys are fixed, scripts
// read them: event, time, unit, identified, model, firmware, action, result,
// detail, port, bench, operator, changed.

// Time as ISO 8601 UTC with a "Z": 2024-03-01T10:22:33Z.
QString HistoryTime(const QDateTime& time);
// One line: "event=12 time=... unit=... action=write result=ok port=... bench=...
// operator=... changed=3", texts with spaces in double quotes.
QString HistoryLine(const TRegisterEvent& event);
// One object; changed is the list of {command,row,param,parameter,old,new}.
QJsonObject HistoryJson(const TRegisterEvent& event);
