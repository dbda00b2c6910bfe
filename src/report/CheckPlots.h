#pragma once

#include <QGraphicsView>

class TCheckCharts;
class TStatusHistory;

// "Графики": the check's charts in a view that lays them out over its size.
class TCheckPlots : public QGraphicsView {
    Q_OBJECT
public:
    explicit TCheckPlots(QWidget* parent = nullptr);

    void ShowHistory(const TStatusHistory& history);
    TCheckCharts* Charts() const { return FCharts; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    TCheckCharts* FCharts = nullptr;
};
