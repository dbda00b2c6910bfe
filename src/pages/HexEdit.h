#pragma once

#include <QLineEdit>

// Masked editor of a hexadecimal parameter.
class THexEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit THexEdit(QWidget* parent = nullptr);
};
