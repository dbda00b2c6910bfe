#include "CliOutput.h"

#include "CliInterrupt.h"

#include <QJsonDocument>
#include <QMutexLocker>
#include <cerrno>
#include <unistd.h>

namespace {

constexpr int kSecondsDecimals = 1;
constexpr int kProgressWidth = 100;
constexpr char kClearLine[] = "\x1b[2K";
constexpr char kCursorUp[] = "\x1b[%1A";

} // namespace

QString ResultLine(const TPortResult& r) {
    QString line = r.Port + QLatin1Char(' ') + r.Result +
                   QStringLiteral(" commands=%1 mismatches=%2 seconds=%3")
                       .arg(r.Commands)
                       .arg(r.Mismatches)
                       .arg(r.Seconds, 0, 'f', kSecondsDecimals);
    if (!r.File.isEmpty())
        line += QStringLiteral(" file=") + r.File;
    if (!r.Reason.isEmpty())
        line += QStringLiteral(" reason=\"") + r.Reason + QLatin1Char('"');
    return line;
}

QJsonObject ResultJson(const TPortResult& r) {
    QJsonObject o;
    o.insert(QStringLiteral("port"), r.Port);
    o.insert(QStringLiteral("result"), r.Result);
    o.insert(QStringLiteral("commands"), r.Commands);
    o.insert(QStringLiteral("mismatches"), r.Mismatches);
    o.insert(QStringLiteral("seconds"), qRound(r.Seconds * 10) / 10.0);
    o.insert(QStringLiteral("reason"), r.Reason);
    o.insert(QStringLiteral("file"), r.File);
    return o;
}

QByteArray JsonLine(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

QString CsvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray ResultCsv(const QVector<TPortResult>& results) {
    QString text = QStringLiteral("port,result,commands,mismatches,seconds,reason,file\r\n");
    for (const TPortResult& r : results)
        text += QStringList{CsvField(r.Port),
                            r.Result,
                            QString::number(r.Commands),
                            QString::number(r.Mismatches),
                            QString::number(r.Seconds, 'f', kSecondsDecimals),
                            CsvField(r.Reason),
                            CsvField(r.File)}
                    .join(QLatin1Char(',')) +
                QStringLiteral("\r\n");
    return text.toUtf8();
}

void PutText(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    errno = 0;
    const bool written =
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size()) &&
        std::fflush(stream) == 0;
    // Nobody reads any more ("| head"): the run stops as for Ctrl+C.
    if (!written && errno == EPIPE)
        NoteOutputClosed();
}

TProgressBoard::TProgressBoard(const QStringList& ports)
    : FPorts(ports), FEnabled(::isatty(STDERR_FILENO) == 1) {
    for (int i = 0; i < FPorts.size(); ++i)
        FLines << QString();
}

void TProgressBoard::Set(int index, const QString& text) {
    QMutexLocker lock(&FMutex);
    if (index >= 0 && index < FLines.size())
        FLines[index] = text;
}

void TProgressBoard::Redraw() {
    if (!FEnabled)
        return;
    QMutexLocker lock(&FMutex);
    QString out;
    if (FDrawn > 0)
        out += QString::fromLatin1(kCursorUp).arg(FDrawn);
    for (int i = 0; i < FPorts.size(); ++i)
        out += QLatin1Char('\r') + QLatin1String(kClearLine) +
               (FPorts[i] + QStringLiteral(": ") + FLines[i]).left(kProgressWidth) +
               QLatin1Char('\n');
    FDrawn = int(FPorts.size());
    PutText(stderr, out);
}

void TProgressBoard::Clear() {
    if (!FEnabled)
        return;
    QMutexLocker lock(&FMutex);
    if (FDrawn == 0)
        return;
    QString out = QString::fromLatin1(kCursorUp).arg(FDrawn);
    for (int i = 0; i < FDrawn; ++i)
        out += QLatin1Char('\r') + QLatin1String(kClearLine) + QLatin1Char('\n');
    out += QString::fromLatin1(kCursorUp).arg(FDrawn);
    FDrawn = 0;
    PutText(stderr, out);
}
