#pragma once

#include <QComboBox>

// Colour drop-down holding 0x00BBGGRR codes.
class TColorList : public QComboBox {
    Q_OBJECT
public:
    explicit TColorList(QWidget* parent = nullptr);
};
