#pragma once

#include <QString>

// The man page (troff) and the bash completion script, made from the
// command table in the interface language; the build writes both.
QString ManPage(const QString& version);
QString BashCompletion();
