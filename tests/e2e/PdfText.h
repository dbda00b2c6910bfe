#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>

// The text of a PDF as pdftotext (poppler-utils) reads it; empty when it
// cannot be read.
inline QString PdfText(const QString& path) {
    QProcess p;
    p.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
            {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished() || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}
