#pragma once

#include <QByteArray>
#include <QString>

// The 8-bit boundary (serial line, INI file) speaks Windows-1251. A character
// the code page cannot hold becomes "?".
QByteArray ToCodePage(const QString& text);
QString FromCodePage(const QByteArray& bytes);
// Text as it survives a trip through the code page.
QString FitCodePage(const QString& text);
