#pragma once

#include "check/StatusHistory.h"

#include <QGraphicsScene>
#include <QVector>

class QChart;
class QDateTimeAxis;
class QGraphicsGridLayout;
class QGraphicsWidget;
class QLineSeries;
class QValueAxis;

// The plots of the installation check: one chart per quantity in a grid on a
// scene of their own. The window shows the scene; the report renders the
// same scene onto its page.
class TCheckCharts : public QGraphicsScene {
    Q_OBJECT
public:
    explicit TCheckCharts(QObject* parent = nullptr);

    // Lays the grid out over this size (scene units are pixels).
    void SetLayoutSize(const QSizeF& size);
    // Shows the history: the series replaced, the axes fitted to it.
    void Update(const TStatusHistory& history);

    int ChartCount() const { return int(FCharts.size()); }
    QChart* Chart(TSeries series) const { return FCharts.value(series).Chart; }
    QLineSeries* Series(TSeries series) const { return FSeries[series]; }

    static constexpr int kColumns = 2;

private:
    struct TChartItem {
        QChart* Chart = nullptr;
        QDateTimeAxis* Time = nullptr;
        QValueAxis* Values = nullptr;
        int Definition = 0; // and series
    };
    QGraphicsWidget* FRoot = nullptr;
    QGraphicsGridLayout* FGrid = nullptr;
    QVector<TChartItem> FCharts;
    QLineSeries* FSeries[tsCount] = {};
};
