#pragma once

#include <QString>

class QPlainTextEdit;
class QWidget;

// The exchange log pane of the main window, usable on its own: read-only,
// unwrapped, capped at kLogMaxLines.
QPlainTextEdit* CreateLogPane(QWidget* parent);
// Appends text as pane lines of a log kind, in the kind's colour from the
// settings, and keeps the newest line in view.
void AppendLogText(QPlainTextEdit* pane, const QString& text, int kind);
