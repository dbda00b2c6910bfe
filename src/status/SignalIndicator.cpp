#include "SignalIndicator.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

// a * b / c rounded to the nearest integer, halves to even.
int ScaledRound(int a, int b, int c) {
    const int num = a * b;
    int q = num / c;
    const int r2 = (num % c) * 2;
    if (r2 > c || (r2 == c && (q & 1) != 0))
        ++q;
    return q;
}

} // namespace

int SignalLevel(const QString& text) {
    bool ok = false;
    const int v = text.toInt(&ok, 10);
    if (!ok || v < 1)
        return 0;
    return qMin(v, kSignalLevelFull);
}

void PaintSignalIndicator(QPainter& p, int w, int h, int level, const QColor& background) {
    level = qBound(0, level, kSignalLevelFull);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(0, 0, w, h, background);
    p.setPen(QPen(Qt::black, 0)); // cosmetic one-pixel pen
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, w - 1, h - 1);
    const int bottom = h - 1;
    const int x = ScaledRound(w, level, kSignalLevelFull);
    const int y = ScaledRound(h, level, kSignalLevelFull);
    p.drawLine(0, bottom, x, h - y);
    p.drawLine(x, h - y, x, bottom);
    for (int k = 1; k <= kSignalMarkCount && kSignalMarkStep * k < level; ++k) {
        const int xk = ScaledRound(w, kSignalMarkStep * k, kSignalLevelFull);
        const int yk = ScaledRound(h, kSignalMarkStep * k, kSignalLevelFull);
        p.drawLine(xk, h - yk, xk, bottom);
    }
    p.restore();
}

TSignalIndicator::TSignalIndicator(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pGSMStr"));
    setFixedSize(kSignalIndicatorWidth, kSignalIndicatorHeight);
}

void TSignalIndicator::SetLevelText(const QString& text) {
    FLevel = SignalLevel(text);
    update();
}

void TSignalIndicator::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintSignalIndicator(p, width(), height(), FLevel, palette().color(QPalette::Window));
}
