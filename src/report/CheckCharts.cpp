#include "CheckCharts.h"

#include "base/Translate.h"

#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGraphicsGridLayout>
#include <QGraphicsWidget>
#include <QLineSeries>
#include <QValueAxis>
#include <cmath>

namespace {

constexpr TTrContext Tr("TCheckCharts");

// One chart per quantity, in the order of TSeries.
struct TChartDefinition {
    const char* Title;
    double FloorMax; // the value axis reaches at least this high
    double MinSpan;  // and spans at least this much
    bool FromZero;   // starts at zero
    double FixedMax; // 0: fitted to the data
};

const TChartDefinition kDefinitions[tsCount] = {
    {QT_TRANSLATE_NOOP("TCheckCharts", "Напряжение питания, В"), 0, 2, false, 0},
    {QT_TRANSLATE_NOOP("TCheckCharts", "Аккумулятор, В"), 0, 1, false, 0},
    {QT_TRANSLATE_NOOP("TCheckCharts", "Уровень сигнала GSM"), 0, 0, true, kSignalMax},
    {QT_TRANSLATE_NOOP("TCheckCharts", "Спутники"), 12, 0, true, 0},
    {QT_TRANSLATE_NOOP("TCheckCharts", "Скорость, км/ч"), 20, 0, true, 0},
    {QT_TRANSLATE_NOOP("TCheckCharts", "Температура, °C"), 0, 4, false, 0},
};

// About this many intervals on a value axis, each 1, 2, 2.5 or 5 times a
// power of ten.
constexpr int kValueIntervals = 4;
double NiceStep(double span) {
    const double raw = span / kValueIntervals;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 2.5, 5.0})
        if (raw <= factor * magnitude)
            return factor * magnitude;
    return 10 * magnitude;
}

// Thousands of points drawn into a few hundred pixels cost more than they
// show: a longer series is cut into buckets, each keeping its lowest and
// highest point in time order, so that spikes stay visible.
constexpr int kMaxDrawnPoints = 800;
QList<QPointF> Thinned(const QList<QPointF>& points) {
    if (points.size() <= kMaxDrawnPoints)
        return points;
    constexpr int kBuckets = kMaxDrawnPoints / 2;
    const qsizetype n = points.size();
    QList<QPointF> drawn;
    drawn.reserve(kMaxDrawnPoints);
    for (int b = 0; b < kBuckets; ++b) {
        const qsizetype from = n * b / kBuckets;
        const qsizetype to = n * (b + 1) / kBuckets;
        qsizetype lo = from, hi = from;
        for (qsizetype i = from + 1; i < to; ++i) {
            if (points[i].y() < points[lo].y())
                lo = i;
            if (points[i].y() > points[hi].y())
                hi = i;
        }
        drawn << points[qMin(lo, hi)];
        if (lo != hi)
            drawn << points[qMax(lo, hi)];
    }
    return drawn;
}

// A chart with no points yet shows the last minute.
constexpr qint64 kEmptySpanMs = 60 * 1000;
constexpr int kTimeTicks = 4;
constexpr qreal kChartMargin = 2;
constexpr int kTitlePointSize = 9;
constexpr int kLabelPointSize = 7;

} // namespace

TCheckCharts::TCheckCharts(QObject* parent) : QGraphicsScene(parent) {
    FRoot = new QGraphicsWidget;
    FGrid = new QGraphicsGridLayout(FRoot);
    FGrid->setContentsMargins(0, 0, 0, 0);
    FGrid->setSpacing(0);
    addItem(FRoot);

    QFont titleFont;
    titleFont.setPointSize(kTitlePointSize);
    titleFont.setBold(true);
    QFont labelFont;
    labelFont.setPointSize(kLabelPointSize);
    for (int d = 0; d < tsCount; ++d) {
        TChartItem item;
        item.Definition = d;
        item.Chart = new QChart;
        item.Chart->setTitle(Tr(kDefinitions[d].Title));
        item.Chart->setTitleFont(titleFont);
        item.Chart->setMargins(QMargins(kChartMargin, kChartMargin, kChartMargin, kChartMargin));
        item.Chart->setBackgroundRoundness(0);
        item.Chart->legend()->hide();
        item.Time = new QDateTimeAxis;
        item.Time->setFormat(QStringLiteral("hh:mm:ss"));
        item.Time->setTickCount(kTimeTicks);
        item.Time->setLabelsFont(labelFont);
        item.Values = new QValueAxis;
        item.Values->setTickType(QValueAxis::TicksDynamic);
        item.Values->setTickAnchor(0);
        item.Values->setLabelFormat(QStringLiteral("%g"));
        item.Values->setLabelsFont(labelFont);
        item.Chart->addAxis(item.Time, Qt::AlignBottom);
        item.Chart->addAxis(item.Values, Qt::AlignLeft);
        auto* series = new QLineSeries;
        series->setName(item.Chart->title());
        item.Chart->addSeries(series);
        series->attachAxis(item.Time);
        series->attachAxis(item.Values);
        FSeries[d] = series;
        FGrid->addItem(item.Chart, d / kColumns, d % kColumns);
        FCharts << item;
    }
    for (int c = 0; c < kColumns; ++c)
        FGrid->setColumnStretchFactor(c, 1);
    for (int r = 0; r < FGrid->rowCount(); ++r)
        FGrid->setRowStretchFactor(r, 1);
    Update(TStatusHistory());
}

void TCheckCharts::SetLayoutSize(const QSizeF& size) {
    setSceneRect(QRectF(QPointF(0, 0), size));
    FRoot->resize(size);
    FGrid->activate();
}

void TCheckCharts::Update(const TStatusHistory& history) {
    // One time axis for every chart, so their moments line up.
    qreal first = 0, last = 0;
    bool any = false;
    for (int s = 0; s < tsCount; ++s) {
        const QList<QPointF>& points = history.Points(TSeries(s));
        FSeries[s]->replace(Thinned(points));
        if (points.isEmpty())
            continue;
        first = any ? qMin(first, points.first().x()) : points.first().x();
        last = any ? qMax(last, points.last().x()) : points.last().x();
        any = true;
    }
    if (!any || last <= first) {
        last = any ? last : qreal(QDateTime::currentMSecsSinceEpoch());
        first = last - kEmptySpanMs;
    }
    const QDateTime from = QDateTime::fromMSecsSinceEpoch(qint64(first));
    const QDateTime to = QDateTime::fromMSecsSinceEpoch(qint64(last));

    for (const TChartItem& item : qAsConst(FCharts)) {
        const TChartDefinition& def = kDefinitions[item.Definition];
        item.Time->setRange(from, to);
        double lo = 0, hi = 0;
        bool seen = false;
        for (const QPointF& p : history.Points(TSeries(item.Definition))) {
            lo = seen ? qMin(lo, p.y()) : p.y();
            hi = seen ? qMax(hi, p.y()) : p.y();
            seen = true;
        }
        if (def.FromZero)
            lo = qMin(lo, 0.0);
        hi = qMax(hi, def.FloorMax);
        if (def.FixedMax > 0)
            hi = def.FixedMax;
        if (hi - lo < def.MinSpan) {
            const double middle = (hi + lo) / 2;
            lo = middle - def.MinSpan / 2;
            hi = middle + def.MinSpan / 2;
        }
        if (hi <= lo)
            hi = lo + 1;
        const double step = NiceStep(hi - lo);
        item.Values->setTickInterval(step);
        if (def.FixedMax <= 0)
            hi = std::ceil(hi / step) * step;
        item.Values->setRange(std::floor(lo / step) * step, hi);
    }
}
