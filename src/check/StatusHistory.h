#pragma once

#include "check/StatusReading.h"

#include <QList>
#include <QPointF>

// The plotted quantities.
enum TSeries { tsSupply, tsBattery, tsSignal, tsSatellites, tsSpeed, tsTemperature, tsCount };

// How far back the history reaches, and at most how many points a series
// keeps (30 minutes of reports every 250 ms) whatever the report rate.
constexpr qint64 kHistorySpanMs = 30 * 60 * 1000;
constexpr int kHistoryMaxPoints = 7200;

// The numeric series of the status stream with their time stamps (x: the
// caller's milliseconds, y: the value). Points older than the span before
// the latest one are dropped.
class TStatusHistory {
public:
    explicit TStatusHistory(qint64 spanMs = kHistorySpanMs);

    // The quantities a report carries; unreadable numbers are left out.
    void Add(const TStatusReading& reading, qint64 ms);
    void Append(TSeries series, qint64 ms, double value);
    const QList<QPointF>& Points(TSeries series) const { return FSeries[series]; }
    bool IsEmpty() const;
    void Clear();
    qint64 SpanMs() const { return FSpanMs; }

private:
    qint64 FSpanMs;
    QList<QPointF> FSeries[tsCount];
};
