#include "ProfileLoader.h"

#include "DevCommands.h"

void LoadCommandProfile(const QString&) { DevCommands.clear(); }
void LoadCommandProfileFromData(const QByteArray&) { DevCommands.clear(); }
