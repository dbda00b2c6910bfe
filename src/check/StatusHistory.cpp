#include "StatusHistory.h"

#include <cmath>

TStatusHistory::TStatusHistory(qint64 spanMs) : FSpanMs(spanMs) {}

void TStatusHistory::Add(const TStatusReading& r, qint64 ms) {
    switch (r.Kind) {
    case rkSensors:
        Append(tsSupply, ms, r.Sensors.Supply);
        Append(tsBattery, ms, r.Sensors.Battery);
        Append(tsTemperature, ms, r.Sensors.Temperature);
        break;
    case rkNavigation:
        if (r.Navigation.Satellites >= 0)
            Append(tsSatellites, ms, r.Navigation.Satellites);
        Append(tsSpeed, ms, r.Navigation.Speed);
        break;
    case rkGsm:
        if (r.Gsm.Signal >= 0)
            Append(tsSignal, ms, r.Gsm.Signal);
        break;
    default:
        break;
    }
}

void TStatusHistory::Append(TSeries series, qint64 ms, double value) {
    if (!std::isfinite(value))
        return;
    QList<QPointF>& points = FSeries[series];
    points.append(QPointF(qreal(ms), value));
    const qreal oldest = qreal(ms - FSpanMs);
    // QList drops from its front without moving the rest.
    while (points.size() > kHistoryMaxPoints || points.first().x() < oldest)
        points.removeFirst();
}

bool TStatusHistory::IsEmpty() const {
    for (const QList<QPointF>& points : FSeries)
        if (!points.isEmpty())
            return false;
    return true;
}

void TStatusHistory::Clear() {
    for (QList<QPointF>& points : FSeries)
        points.clear();
}
