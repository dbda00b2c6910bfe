#pragma once

#include "LogKind.h"

#include <QString>
#include <QStringList>

constexpr int kLogMaxLines = 1000;

// The prefix of a log kind; empty for a kind outside the table.
QString LogPrefix(int kind);
// The pane lines a text becomes (prefix included): terminated lines get their
// control characters shown as "_", an unterminated rest stays as it is.
QStringList FormatLogLines(const QString& text, const QString& prefix);
