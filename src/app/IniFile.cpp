#include "IniFile.h"

TIniFile::TIniFile(const QString& path) : FPath(path) {}
QString TIniFile::ReadString(const QString&, const QString&, const QString& def) const {
    return def;
}
int TIniFile::ReadInteger(const QString&, const QString&, int def) const { return def; }
bool TIniFile::ReadBool(const QString&, const QString&, bool def) const { return def; }
QStringList TIniFile::ReadSectionValues(const QString&) const { return {}; }
bool TIniFile::WriteString(const QString&, const QString&, const QString&) { return false; }
bool TIniFile::WriteInteger(const QString&, const QString&, int) { return false; }
bool TIniFile::WriteBool(const QString&, const QString&, bool) { return false; }
