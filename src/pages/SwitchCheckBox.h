#pragma once

#include <QCheckBox>

// The switch of an optional parameter: a check box whose caption wraps
// within its width, the whole box being clickable.
class TSwitchCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TSwitchCheckBox(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
    bool hitButton(const QPoint& pos) const override;
};
