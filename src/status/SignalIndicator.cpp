#include "SignalIndicator.h"

TSignalIndicator::TSignalIndicator(QWidget* parent) : QWidget(parent) {}
