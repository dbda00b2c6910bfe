#pragma once

#include <QString>

class QLineEdit;
class QWidget;

// Reading and setting the generated editors and switches the way a user
// would, so that their rule handlers run. Every function ignores nullptr.

// Spin box: its number as shown; edit and hex edit: the text; drop-down: "".
QString EditorText(const QWidget* editor);
// Spin box: the number (kept within its bounds; a non-number leaves it);
// edit and hex edit: the text.
void SetEditorText(QWidget* editor, const QString& text);
// Drop-down: the selected position, -1 when nothing is selected.
int SelectedOption(const QWidget* editor);
void SelectOption(QWidget* editor, int index);
bool SwitchChecked(const QWidget* box);
// Runs the switch handler only when the state changes.
void SetSwitchChecked(QWidget* box, bool on);
// The edit box's text as the one its typing mask returns to on a refused change.
void RememberMatchingText(QLineEdit* edit);
