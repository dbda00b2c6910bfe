#include "DiffOutput.h"

#include "profile/DevCommands.h"

namespace {

QString Quoted(const QString& text) {
    QString q = text;
    q.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

TValueDifference At(const TCmdAddress& a) {
    TValueDifference d;
    const TDevCommand* command = CommandAt(a);
    const TCmdParameter* param = RowParameterAt(a);
    d.Command = command ? command->CommandName : QString();
    d.Row = a.Row;
    d.Param = a.Param;
    d.Parameter = param ? param->Description : QString();
    return d;
}

} // namespace

QString ShownValue(const QString& wire, bool enabled) {
    return enabled ? wire : QStringLiteral("(off) ") + wire;
}

QString AbsentValue() {
    return QStringLiteral("(absent)");
}

TValueDifference DifferenceOf(const TValueDiffRow& row) {
    TValueDifference d = At(row.Address);
    d.Left = ShownValue(row.PageValue, row.PageEnabled);
    d.Right = ShownValue(row.OtherHasValue ? row.OtherValue : QString(), row.OtherEnabled);
    return d;
}

TValueDifference DifferenceOf(const TNotTaken& value) {
    TValueDifference d = At(value.Address);
    d.Left = value.Sent;
    d.Right = value.Held;
    return d;
}

TValueDifference OneSidedDifference(const TCmdAddress& address, const QString& left,
                                    const QString& right) {
    TValueDifference d = At(address);
    d.Left = left;
    d.Right = right;
    return d;
}

QString DifferenceLine(const TValueDifference& d, const QString& leftName,
                       const QString& rightName) {
    return d.Command + QStringLiteral(" #") + QString::number(d.Row + 1) + QLatin1Char(' ') +
           Quoted(d.Parameter) + QLatin1Char(' ') + leftName + QLatin1Char('=') + Quoted(d.Left) +
           QLatin1Char(' ') + rightName + QLatin1Char('=') + Quoted(d.Right);
}

QJsonObject DifferenceJson(const TValueDifference& d, const QString& leftKey,
                           const QString& rightKey) {
    QJsonObject o;
    o.insert(QStringLiteral("command"), d.Command);
    o.insert(QStringLiteral("row"), d.Row + 1);
    o.insert(QStringLiteral("parameter"), d.Parameter);
    o.insert(leftKey, d.Left);
    o.insert(rightKey, d.Right);
    return o;
}
