// The settings file reader and writer over arbitrary file contents: reads of
// the program's own keys, then one write that must read back and must leave
// every other section as it was.
#include "base/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <cstdint>

namespace {

const QString kProbeSection = QStringLiteral("Probe");
const QString kProbeKey = QStringLiteral("Key");
const QString kProbeValue = QStringLiteral("12345");

QString FuzzFilePath() {
    return QDir::tempPath() +
           QStringLiteral("/velmora-fuzz-%1.ini").arg(QCoreApplication::applicationPid());
}

// The reader's encoding rule: a BOM, or valid UTF-8 with non-ASCII bytes.
bool ReadsAsUtf8(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return true;
    bool nonAscii = false;
    for (const char c : bytes)
        nonAscii = nonAscii || static_cast<unsigned char>(c) >= 0x80;
    if (!nonAscii)
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = decoder.decode(bytes); // decoding is lazy until converted
    (void)decoded;
    return !decoder.hasError();
}

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList SectionNames(const QByteArray& bytes) {
    QStringList names;
    for (const QByteArray& line : bytes.split('\n')) {
        const QByteArray t = line.trimmed();
        if (t.startsWith('[')) {
            const qsizetype close = t.indexOf(']');
            names.append(QString::fromLatin1(close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed());
        }
    }
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString path = FuzzFilePath();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(bytes);
    }
    TIniFile ini(path);
    (void)ini.ReadString(QStringLiteral("Main"), QStringLiteral("ComPort"), QString());
    (void)ini.ReadInteger(QStringLiteral("Main"), QStringLiteral("BaudRate"), 9600);
    (void)ini.ReadBool(QStringLiteral("Main"), QStringLiteral("AutoConnect"), false);

    QStringList others;
    QList<QStringList> before;
    for (const QString& name : SectionNames(bytes)) {
        if (name.compare(kProbeSection, Qt::CaseInsensitive) == 0 || name.isEmpty() ||
            others.contains(name, Qt::CaseInsensitive))
            continue;
        others.append(name);
        before.append(ini.ReadSectionValues(name));
        if (ini.ReadString(name, kProbeKey, QString()).size() > kIniValueMaxLen)
            __builtin_trap();
    }
    if (!ini.WriteString(kProbeSection, kProbeKey, kProbeValue))
        return 0;
    if (ini.ReadString(kProbeSection, kProbeKey, QString()) != kProbeValue)
        __builtin_trap();
    // Overwriting the only byte that is not UTF-8 can turn a Windows-1251
    // file into one the rule reads as UTF-8; its other lines keep their
    // bytes, but not their meaning. That is the rule's own ambiguity.
    if (ReadsAsUtf8(bytes) != ReadsAsUtf8(FileBytes(path)))
        return 0;
    for (qsizetype i = 0; i < others.size(); ++i) {
        if (ini.ReadSectionValues(others.at(i)) != before.at(i))
            __builtin_trap();
    }
    return 0;
}
