#pragma once

#include "status/StatusParser.h"

#include <QJsonObject>
#include <QString>

// A received status line without the blanks and control bytes around it,
// as the status window takes it.
QString TrimStatusLine(const QString& line);

// One decoded report as text lines ("port REPORT caption: value") or as one
// JSON object, with the status window's captions and texts.
QString StatusReportText(const QString& port, const TStatusChange& change,
                         const TStatusFields& fields);
QJsonObject StatusReportJson(const QString& port, const TStatusChange& change,
                             const TStatusFields& fields);
