#pragma once

#include <QStatusBar>
#include <QVector>

class QLabel;

constexpr int kStatusPanelCount = 6;
constexpr int kStatusPanelWidths[kStatusPanelCount] = {400, 50, 200, 60, 60, 50};
constexpr int kStatusBarHeight = 19;

// A status bar of fixed-width panels, positioned by hand so that the
// progress bar can sit exactly inside panel 2.
class TStatusBarPanels : public QStatusBar {
    Q_OBJECT
public:
    explicit TStatusBarPanels(QWidget* parent = nullptr);
    void SetPanelText(int panel, const QString& text);
    QString PanelText(int panel) const;
    int PanelWidth(int panel) const;
    int ClientHeight() const;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void LayoutPanels();
    QVector<QLabel*> FPanels;
};
