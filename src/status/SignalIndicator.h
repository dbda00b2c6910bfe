#pragma once

#include <QWidget>

// pGSMStr: the signal-level wedge.
class TSignalIndicator : public QWidget {
    Q_OBJECT
public:
    explicit TSignalIndicator(QWidget* parent = nullptr);
};
