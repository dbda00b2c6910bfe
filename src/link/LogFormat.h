#pragma once

#include "base/LogKind.h"

#include <QString>
#include <QStringList>

constexpr int kLogMaxLines = 1000;

// The prefix of a log kind; empty for a kind outside the table.
QString LogPrefix(int kind);
// The pane lines a text becomes (prefix included): terminated lines get their
// control characters shown as "_", an unterminated rest stays as it is.
QStringList FormatLogLines(const QString& text, const QString& prefix);

class QDateTime;

// A line of a saved log: the time it was logged, a blank, the line as the
// pane shows it (prefix included).
QString SavedLogLine(const QDateTime& time, const QString& line);
// Writes the lines as UTF-8, one per line, replacing the file only when all
// of it was written. False with the reason in error.
bool WriteLogFile(const QString& fileName, const QStringList& lines, QString* error);
