#pragma once

#include <QString>

// Empties DevCommands and the name index and reads the profile at path.
// A file that cannot be opened leaves the table empty and reports nothing.
void LoadCommandProfile(const QString& path);
// The same from a text already in memory (UTF-8 bytes).
void LoadCommandProfileFromData(const QByteArray& data);
