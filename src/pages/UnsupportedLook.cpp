#include "UnsupportedLook.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QPalette>

namespace {

// Light grey fill and dark grey text: plainly not active, still legible
// (contrast well above 7:1).
constexpr QRgb kUnsupportedFill = 0xFFEAEAEA;
constexpr QRgb kUnsupportedText = 0xFF505050;

} // namespace

QString UnsupportedCommandNote() {
    return QCoreApplication::translate("TUnsupportedLook", "Команда не поддерживается трекером");
}

void ShowUnsupported(QGroupBox* group) {
    if (!group)
        return;
    QPalette palette = group->palette();
    for (const QPalette::ColorGroup cg : {QPalette::Disabled, QPalette::Inactive, QPalette::Active})
        palette.setColor(cg, QPalette::Window, QColor::fromRgb(kUnsupportedFill));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::PlaceholderText})
        palette.setColor(QPalette::Disabled, role, QColor::fromRgb(kUnsupportedText));
    group->setPalette(palette);
    group->setAutoFillBackground(true);
    group->setToolTip(UnsupportedCommandNote());
}

void ShowSupported(QGroupBox* group) {
    if (!group)
        return;
    // Empty palette: everything is taken from the parent again.
    group->setAutoFillBackground(false);
    group->setPalette(QPalette());
    group->setFont(QFont());
    group->setToolTip(QString());
}
