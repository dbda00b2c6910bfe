#pragma once

#include "status/StatusParser.h"

#include <QJsonObject>
#include <QString>

// One decoded report as text lines ("port REPORT caption: value") or as one
// JSON object, with the status window's captions and texts.
QString StatusReportText(const QString& port, const TStatusChange& change,
                         const TStatusFields& fields);
QJsonObject StatusReportJson(const QString& port, const TStatusChange& change,
                             const TStatusFields& fields);
