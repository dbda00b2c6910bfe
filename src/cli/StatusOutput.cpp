#include "StatusOutput.h"

#include "status/StatusFieldNames.h"

#include <QJsonArray>

namespace {

constexpr int kDiscreteStates = 3;

struct TShownField {
    QString Id;
    QString Caption;
    QString Value;
};

// In the window's order, whatever order the report carries them in.
QVector<TShownField> ShownFields(const TStatusChange& change, const TStatusFields& fields) {
    QVector<TShownField> out;
    for (const TStatusFieldName& row : StatusFieldNames()) {
        const QString control = QString::fromLatin1(row.Control);
        if (change.States && control == QLatin1String(kDiscreteStatesRow)) {
            for (int i = 0; i < kDiscreteStates; ++i)
                out.append(
                    {control + QString::number(i + 1),
                     StatusDiscreteStateCaption() + QLatin1Char(' ') + QString::number(i + 1),
                     fields.DState[i] ? QStringLiteral("1") : QStringLiteral("0")});
        } else if (change.Controls.contains(control)) {
            out.append({control, StatusFieldCaption(control), fields.Text(control)});
        }
    }
    return out;
}

} // namespace

QString StatusReportText(const QString& port, const TStatusChange& change,
                         const TStatusFields& fields) {
    QString text;
    const QString head = port + QLatin1Char(' ') + change.Report + QLatin1Char(' ');
    for (const TShownField& f : ShownFields(change, fields))
        text += head + f.Caption + QStringLiteral(": ") + f.Value + QLatin1Char('\n');
    if (change.Overflow && fields.MemoryOverflow)
        text += head + StatusOverflowWarning() + QLatin1Char('\n');
    return text;
}

QJsonObject StatusReportJson(const QString& port, const TStatusChange& change,
                             const TStatusFields& fields) {
    QJsonArray list;
    for (const TShownField& f : ShownFields(change, fields)) {
        QJsonObject o;
        o.insert(QStringLiteral("id"), f.Id);
        o.insert(QStringLiteral("name"), f.Caption);
        o.insert(QStringLiteral("value"), f.Value);
        list.append(o);
    }
    QJsonObject o;
    o.insert(QStringLiteral("port"), port);
    o.insert(QStringLiteral("report"), change.Report);
    o.insert(QStringLiteral("fields"), list);
    if (change.Overflow)
        o.insert(QStringLiteral("overflow"), fields.MemoryOverflow);
    return o;
}
