#pragma once

#include "check/InstallCheck.h"

#include <QDateTime>
#include <QString>
#include <QVector>

class TStatusHistory;

// What the installation report holds. The caller names the bench and the
// operator; the vehicle and the installer come from the window (or the
// command line).
struct TCheckReportData {
    TUnitIdentity Identity;
    QDateTime Started, Finished;
    QString Bench, Operator;
    QString Plate, Vin, Installer;
    QVector<TCriterionResult> Results;
    TCheckVerdict Verdict;
    TNavigation Position; // HasPosition() false: no position came
    const TStatusHistory* History = nullptr;
};

// The check's own part of the data: identity, criteria, verdict, position,
// its first and latest report's time, and this computer and its user as
// bench and operator.
TCheckReportData CheckReportData(const TInstallCheck& check, const TStatusHistory& history);

// Writes the report as a PDF: a page of text, then a page of the plots. The
// file appears whole or not at all; false with error set when it cannot be
// written.
bool WriteCheckReport(const QString& path, const TCheckReportData& data, QString* error);
