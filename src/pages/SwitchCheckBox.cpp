#include "SwitchCheckBox.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

TSwitchCheckBox::TSwitchCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {}

void TSwitchCheckBox::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QString caption = opt.text;
    opt.text.clear();
    // Indicator and focus frame from the style, the caption wrapped by hand.
    p.drawControl(QStyle::CE_CheckBox, opt);
    opt.text = caption;
    const QRect textRect = style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, this);
    p.drawItemText(textRect,
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic,
                   opt.palette, isEnabled(), caption, QPalette::WindowText);
}

bool TSwitchCheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}
