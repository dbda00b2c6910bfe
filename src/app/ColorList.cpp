#include "ColorList.h"

TColorList::TColorList(QWidget* parent) : QComboBox(parent) {}
