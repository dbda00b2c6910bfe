// The settings file reader and writer over arbitrary file contents: reads of
// the program's own keys, then one write that must read back and must leave
// every other section as it was.
#include "app/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdint>

namespace {

const QString kProbeSection = QStringLiteral("Probe");
const QString kProbeKey = QStringLiteral("Key");
const QString kProbeValue = QStringLiteral("12345");

QString FuzzFilePath() {
    return QDir::tempPath() +
           QStringLiteral("/velmora-fuzz-%1.ini").arg(QCoreApplication::applicationPid());
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
    for (qsizetype i = 0; i < others.size(); ++i) {
        if (ini.ReadSectionValues(others.at(i)) != before.at(i))
            __builtin_trap();
    }
    return 0;
}
