#pragma once

#include "settings/Settings.h"

#include <QColor>
#include <QComboBox>

// 0x00BBGGRR <-> QColor (the high byte is dropped).
QColor ColorToQColor(TColor color);
TColor QColorToColor(const QColor& color);

// Colour drop-down holding 0x00BBGGRR codes: the 16 standard colours, four
// extended ones and the system colours of the current palette, each with its
// name. A code not among them is shown as one extra custom entry, kept
// exactly, so a hand-written colour survives a round trip.
class TColorList : public QComboBox {
    Q_OBJECT
public:
    explicit TColorList(QWidget* parent = nullptr);

    void SetSelected(TColor color);
    TColor Selected() const;
    // Position of the custom entry, or -1 when there is none.
    int CustomIndex() const;

private:
    void AddColor(const QString& name, TColor color);
    int FCustomIndex = -1;
};
