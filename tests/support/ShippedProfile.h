#pragma once

// The command profile the build ships, copied beside every test program.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

namespace testkit {

inline QString ShippedProfilePath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("cmdprofile.xml"));
}

inline QByteArray ShippedProfile() {
    QFile file(ShippedProfilePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The shipped profile without the command elements named (e.g. "+TEXT").
inline QByteArray ProfileWithout(const QString& commandName) {
    QString text = QString::fromUtf8(ShippedProfile());
    if (text.isEmpty())
        return {};
    const QString key = QStringLiteral("command=\"") + commandName + QLatin1Char('"');
    for (;;) {
        const int at = text.indexOf(key);
        if (at < 0)
            break;
        const int start = text.lastIndexOf(QStringLiteral("<command"), at);
        int end = text.indexOf(QStringLiteral("</command>"), at);
        const int selfEnd = text.indexOf(QStringLiteral("/>"), at);
        const int nextOpen = text.indexOf(QLatin1Char('>'), at);
        if (selfEnd >= 0 && selfEnd + 1 == nextOpen)
            end = selfEnd + 2;
        else if (end >= 0)
            end += int(qstrlen("</command>"));
        if (start < 0 || end < 0)
            break;
        text.remove(start, end - start);
    }
    return text.toUtf8();
}

} // namespace testkit
