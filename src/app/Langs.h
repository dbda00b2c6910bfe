#pragma once

#include <QString>

// Installs the interface-language module chosen by the locale id, before any
// window exists. Returns the module's path, or empty when none was loaded.
QString SetInterfaceLanguage(int localeId);
