#include "CheckPlots.h"

#include "report/CheckCharts.h"

#include <QResizeEvent>

namespace {

// Small enough to sit beside the status groups on a 1366 x 768 screen.
constexpr QSize kPlotsHint(640, 480);
constexpr QSize kPlotsMinimum(420, 360);

} // namespace

TCheckPlots::TCheckPlots(QWidget* parent) : QGraphicsView(parent) {
    setObjectName(QStringLiteral("CheckPlots"));
    FCharts = new TCheckCharts(this);
    setScene(FCharts);
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FCharts->SetLayoutSize(kPlotsHint);
}

void TCheckPlots::ShowHistory(const TStatusHistory& history) {
    FCharts->Update(history);
}

QSize TCheckPlots::sizeHint() const {
    return kPlotsHint;
}

QSize TCheckPlots::minimumSizeHint() const {
    return kPlotsMinimum;
}

void TCheckPlots::resizeEvent(QResizeEvent* e) {
    QGraphicsView::resizeEvent(e);
    FCharts->SetLayoutSize(viewport()->size());
}
