#include "FileCompare.h"

#include "ConfigInflate.h"
#include "ConfigReader.h"
#include "ParamValueTable.h"
#include "ValuesLoadSink.h"
#include "base/Translate.h"

#include <QFile>
#include <QRegularExpression>

QByteArray WithoutUnknownCommands(const QByteArray& text, int* count) {
    static const QRegularExpression tag(QStringLiteral("<command\\b([^>]*)>"));
    static const QRegularExpression nameAttr(
        QStringLiteral("\\bname\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)')"));
    QString xml = QString::fromUtf8(text);
    int removed = 0;
    qsizetype from = 0;
    for (;;) {
        const QRegularExpressionMatch m = tag.match(xml, from);
        if (!m.hasMatch())
            break;
        const QString attributes = m.captured(1);
        const QRegularExpressionMatch n = nameAttr.match(attributes);
        const QString name = n.hasMatch() ? n.captured(1) + n.captured(2) : QString();
        // A nameless command is the loader's own structural error.
        if (name.isEmpty() || FindCommand(name).Page >= 0) {
            from = m.capturedEnd();
            continue;
        }
        qsizetype end = m.capturedEnd();
        if (!attributes.endsWith(QLatin1Char('/'))) {
            const qsizetype close = xml.indexOf(QStringLiteral("</command>"), end);
            end = close < 0 ? xml.size() : close + qsizetype(qstrlen("</command>"));
        }
        xml.remove(m.capturedStart(), end - m.capturedStart());
        from = m.capturedStart();
        ++removed;
    }
    if (count)
        *count = removed;
    return removed ? xml.toUtf8() : text;
}

TFileComparison CompareWithFile(const QString& fileName, const TParamValues& pages,
                                TConfigReport& report) {
    TFileComparison out;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        report.Log(TrMain("Не могу открыть файл, ошибка=") + file.errorString());
        out.Load = {cfOpenError, file.errorString()};
        return out;
    }
    const TConfigInflateResult inflated = InflateConfiguration(file);
    if (inflated.Status == isTooLarge) {
        report.Log(TrMain("Входной файл слишком велик"));
        out.Load = {cfTooLarge, QString()};
        return out;
    }
    if (inflated.Status == isStreamError) {
        out.Load = {cfStreamError, inflated.Error};
        return out;
    }

    int unknown = 0;
    const QByteArray text = WithoutUnknownCommands(inflated.Text, &unknown);
    TParamValueTable table;
    TValuesLoadSink sink(table, report);
    const bool whole = LoadConfigurationText(text, sink);
    if (!whole)
        out.Load = {cfStructure, QString()};
    out.Diff = CompareValues(pages, table, dsCompare);
    out.Diff.NotInProfile = unknown;
    // The structural error that stopped the walk is not a refused value.
    out.Diff.NotReadable = sink.Messages - (whole ? 0 : 1);
    return out;
}
