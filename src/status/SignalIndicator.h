#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class QPainter;

constexpr int kSignalIndicatorWidth = 53;
constexpr int kSignalIndicatorHeight = 17;
constexpr int kSignalLevelFull = 31; // the device's scale: 31 and above draw full
constexpr int kSignalMarkStep = 5;
constexpr int kSignalMarkCount = 6;

// The level a signal text draws: decimal (invalid: 0), clamped to 0..31.
int SignalLevel(const QString& text);

// Paints the indicator onto a w x h area at the painter's origin: background,
// one-pixel black outline, the wedge rising to the level and a vertical mark
// under the slope at every 5 units below the level.
void PaintSignalIndicator(QPainter& painter, int w, int h, int level, const QColor& background);

// pGSMStr: the signal-level wedge beside eGSMStrength.
class TSignalIndicator : public QWidget {
    Q_OBJECT
public:
    explicit TSignalIndicator(QWidget* parent = nullptr);

    // The text of the signal-level field; repaints.
    void SetLevelText(const QString& text);
    int Level() const { return FLevel; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int FLevel = 0;
};
