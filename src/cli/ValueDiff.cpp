#include "ValueDiff.h"

namespace {

QString Shown(const TParamValues& values, const TCmdAddress& a, bool optional, bool switches) {
    const QString text = values.WireText(a);
    if (switches && optional && !values.ParameterEnabled(a))
        return QStringLiteral("(off) ") + text;
    return text;
}

QString Quoted(const QString& text) {
    QString q = text;
    q.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

} // namespace

QVector<TValueDifference> CompareValues(const TParamValues& left, const TParamValues& right,
                                        const TCompareRules& rules) {
    QVector<TValueDifference> out;
    for (int page = 0; page < DevCommands.size(); ++page) {
        const QVector<TDevCommand>& commands = DevCommands[page].Commands;
        for (int c = 0; c < commands.size(); ++c) {
            if (rules.Include && !rules.Include(page, c))
                continue;
            const TDevCommand& cmd = commands[c];
            for (int r = 0; r < cmd.RowCount(); ++r)
                for (int k = 0; k < cmd.Parameters.size(); ++k) {
                    const TCmdParameter& p = cmd.Parameters[k];
                    if (rules.SkipNotOverwritten && !p.Overwrite)
                        continue;
                    const TCmdAddress a{page, c, r, k};
                    const QString l = Shown(left, a, p.Optional, rules.Switches);
                    const QString rt = Shown(right, a, p.Optional, rules.Switches);
                    if (l != rt)
                        out.append({cmd.CommandName, r, k, p.Description, l, rt});
                }
        }
    }
    return out;
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
