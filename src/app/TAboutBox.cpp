#include "TAboutBox.h"

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("О программе"));
}
