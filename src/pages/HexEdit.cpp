#include "HexEdit.h"

THexEdit::THexEdit(QWidget* parent) : QLineEdit(parent) {}
