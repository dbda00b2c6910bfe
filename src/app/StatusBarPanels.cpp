#include "StatusBarPanels.h"

#include <QLabel>
#include <QResizeEvent>

TStatusBarPanels::TStatusBarPanels(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(true);
    setFixedHeight(kStatusBarHeight);
    for (int i = 0; i < kStatusPanelCount; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setContentsMargins(2, 0, 2, 0);
        FPanels.append(label);
    }
    LayoutPanels();
}

void TStatusBarPanels::SetPanelText(int panel, const QString& text) {
    if (panel >= 0 && panel < FPanels.size())
        FPanels[panel]->setText(text);
}

QString TStatusBarPanels::PanelText(int panel) const {
    return panel >= 0 && panel < FPanels.size() ? FPanels[panel]->text() : QString();
}

int TStatusBarPanels::PanelWidth(int panel) const {
    return panel >= 0 && panel < kStatusPanelCount ? kStatusPanelWidths[panel] : 0;
}

int TStatusBarPanels::ClientHeight() const {
    return contentsRect().height();
}

void TStatusBarPanels::resizeEvent(QResizeEvent* e) {
    QStatusBar::resizeEvent(e);
    LayoutPanels();
}

void TStatusBarPanels::LayoutPanels() {
    int x = 0;
    for (int i = 0; i < FPanels.size(); ++i) {
        FPanels[i]->setGeometry(x, 0, kStatusPanelWidths[i], ClientHeight());
        x += kStatusPanelWidths[i];
    }
}
