#include "HistoryFormat.h"

#include "base/Translate.h"

#include <QJsonArray>
#include <QStringList>

namespace {

constexpr TTrContext Tr("TRegister");

QString Field(const char* key, const QString& value) {
    QString text = value;
    if (text.isEmpty() || text.contains(QLatin1Char(' ')) || text.contains(QLatin1Char('"')) ||
        text.contains(QLatin1Char('='))) {
        text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
        text.replace(QLatin1Char('"'), QStringLiteral("\\\""));
        text = QLatin1Char('"') + text + QLatin1Char('"');
    }
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return QLatin1String(key) + QLatin1Char('=') + text;
}

} // namespace

QString HistoryTime(const QDateTime& time) {
    return time.toUTC().toString(Qt::ISODate);
}

QString HistoryLine(const TRegisterEvent& e) {
    QStringList fields{
        Field("event", QString::number(e.Number)),
        Field("time", HistoryTime(e.Time)),
        Field("unit", e.Unit),
    };
    if (!e.Identified)
        fields << Tr("(не опознан)");
    fields << Field("action", ActionWord(e.Action)) << Field("result", e.Result)
           << Field("port", e.Port) << Field("bench", e.Bench) << Field("operator", e.Operator)
           << Field("changed", QString::number(qMax(e.ChangeCount, int(e.Changes.size()))));
    if (!e.Detail.isEmpty())
        fields << Field("detail", e.Detail);
    return fields.join(QLatin1Char(' '));
}

QJsonObject HistoryJson(const TRegisterEvent& e) {
    QJsonArray changed;
    for (const TRegisterChange& c : e.Changes)
        changed.append(QJsonObject{{QStringLiteral("command"), c.Command},
                                   {QStringLiteral("row"), c.Row},
                                   {QStringLiteral("param"), c.Param},
                                   {QStringLiteral("parameter"), c.Parameter},
                                   {QStringLiteral("old"), c.OldValue},
                                   {QStringLiteral("new"), c.NewValue}});
    return QJsonObject{
        {QStringLiteral("event"), e.Number},
        {QStringLiteral("time"), HistoryTime(e.Time)},
        {QStringLiteral("unit"), e.Unit},
        {QStringLiteral("identified"), e.Identified},
        {QStringLiteral("model"), e.Model},
        {QStringLiteral("firmware"), e.Firmware},
        {QStringLiteral("action"), ActionWord(e.Action)},
        {QStringLiteral("result"), e.Result},
        {QStringLiteral("detail"), e.Detail},
        {QStringLiteral("port"), e.Port},
        {QStringLiteral("bench"), e.Bench},
        {QStringLiteral("operator"), e.Operator},
        {QStringLiteral("changed"), changed},
    };
}
