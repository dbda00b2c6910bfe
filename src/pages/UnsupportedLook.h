#pragma once

class QGroupBox;
class QString;

// How the group of a command the tracker refused looks: disabled, on a plain
// light fill with dark grey text that stays readable, and a tool tip that
// says why. ShowSupported restores the look taken from the parent.
void ShowUnsupported(QGroupBox* group);
void ShowSupported(QGroupBox* group);

QString UnsupportedCommandNote();
