#pragma once

#include <QCoreApplication>

// velmora-cli's own words: Russian in the code, the English from the
// language module the settings choose (TCli::tr, QT_TRANSLATE_NOOP("TCli")).
// Result words and JSON keys are not words of this kind: scripts read them.
class TCli {
    Q_DECLARE_TR_FUNCTIONS(TCli)
};

// A text marked with QT_TRANSLATE_NOOP("TCli", ...) in a table, translated.
inline QString CliText(const char* text) {
    return QCoreApplication::translate("TCli", text);
}
