#pragma once

#include <QString>
#include <QStringList>

// INI file reader and writer (implemented with the settings).
class TIniFile {
public:
    explicit TIniFile(const QString& path);
    QString FileName() const { return FPath; }
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    int ReadInteger(const QString& section, const QString& key, int def) const;
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    // Key lines of a section as "name=value", in file order.
    QStringList ReadSectionValues(const QString& section) const;
    // False when the file could not be written.
    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool WriteInteger(const QString& section, const QString& key, int value);
    bool WriteBool(const QString& section, const QString& key, bool value);

private:
    QString FPath;
};
