#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Longest value a read returns; the rest of a longer value is cut off.
constexpr int kIniValueMaxLen = 2047;

struct TIniEntry {
    QString Section;
    QString Key;
    QString Value;
};

// INI file reader and writer. Every call reads the file afresh; a write
// changes only the line of its key (or adds one) and leaves every other
// line, comment and unknown section byte for byte as it was. Section and key
// names match without regard to case. The file is Windows-1251 text, except
// that a file that already is UTF-8 (a BOM, or valid UTF-8 with non-ASCII
// bytes) is read and written as UTF-8. Line ends follow the file.
class TIniFile {
public:
    explicit TIniFile(const QString& path);
    QString FileName() const { return FPath; }
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // Decimal, or hexadecimal after "0x", "0X" or "$"; anything else gives def.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    // Key lines of a section as "name=value", in file order.
    QStringList ReadSectionValues(const QString& section) const;
    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    // False when the file could not be written; it is then left as it was.
    // A missing file is created (its folder is not).
    bool WriteString(const QString& section, const QString& key, const QString& value);
    // Every entry, in order, in one save: the file gets all of them or none.
    bool WriteStrings(const QVector<TIniEntry>& entries);
    bool WriteInteger(const QString& section, const QString& key, int value);
    bool WriteBool(const QString& section, const QString& key, bool value);

    // The integer rule of ReadInteger; false leaves value alone.
    static bool ParseInteger(const QString& text, int& value);

private:
    QString FPath;
};
