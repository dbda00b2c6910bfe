#include "HexEdit.h"
#include "ParameterPages.h"
#include "TagCode.h"
#include "base/DeepComponentEnumerator.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

namespace {

// The platform's colour of an inactive window caption (its classic value).
constexpr QRgb kInactiveCaptionColor = 0xFFBFCDDB;

bool HasTag(const QObject* obj, int tag) {
    const QVariant value = obj->property(kTagProperty);
    return value.isValid() && value.toInt() == tag;
}

QGroupBox* ChildGroup(const QWidget* parent, int tag) {
    for (QObject* child : parent->children())
        if (auto* group = qobject_cast<QGroupBox*>(child); group && HasTag(group, tag))
            return group;
    return nullptr;
}

// The class an editor of the kind is made of; exact, so that a hex editor is
// never taken for a plain edit box.
const QMetaObject* EditorClass(TParamKind kind) {
    switch (kind) {
    case pkInteger:
        return &QSpinBox::staticMetaObject;
    case pkString:
        return &QLineEdit::staticMetaObject;
    case pkHex:
        return &THexEdit::staticMetaObject;
    case pkOption:
        return &QComboBox::staticMetaObject;
    }
    return nullptr;
}

} // namespace

TCmdAddress TParameterPages::ControlAddress(const QObject* control) const {
    TCmdAddress address;
    address.Page = -1;
    if (!control)
        return address;
    const TTagParts parts = SplitTag(control->property(kTagProperty).toInt());
    address.Command = parts.Command;
    address.Row = parts.Row;
    address.Param = parts.Param;
    for (const QObject* obj = control; obj; obj = obj->parent()) {
        if (!obj->isWidgetType())
            continue;
        const int index =
            PageControl1->indexOf(const_cast<QWidget*>(static_cast<const QWidget*>(obj)));
        if (index >= 0) {
            address.Page = index;
            break;
        }
    }
    return address;
}

QWidget* TParameterPages::FindControl(int page, int command, int row, int param,
                                      ControlRole role) const {
    QWidget* box = PageScrollBox(page);
    if (!box)
        return nullptr;
    if (command < 0 || command >= kTagMaxCommands)
        return nullptr;
    QGroupBox* group = ChildGroup(box, MakeTag(command, 0, 0));
    if (!group)
        return nullptr;
    if (role == crGroup)
        return group;
    if (page >= DevCommands.size() || command >= DevCommands[page].Commands.size())
        return nullptr;
    // Outside the Tag code's range a row or parameter would alias another one.
    if (row < 0 || row >= kTagMaxRows || param < 0 || param >= kTagMaxParams)
        return nullptr;
    const TDevCommand& cmd = DevCommands[page].Commands[command];
    QWidget* container = group;
    if (cmd.Indexed) {
        container = ChildGroup(group, MakeTag(command, row, 0));
        if (!container)
            return nullptr;
    }

    const int tag = MakeTag(command, row, param);
    for (QObject* child : container->children()) {
        if (!child->isWidgetType() || !HasTag(child, tag))
            continue;
        switch (role) {
        case crSwitch:
            if (qobject_cast<QCheckBox*>(child))
                return static_cast<QWidget*>(child);
            break;
        case crButton:
            if (qobject_cast<QPushButton*>(child))
                return static_cast<QWidget*>(child);
            break;
        case crEditor:
            if (param >= 0 && param < cmd.Parameters.size() &&
                child->metaObject() == EditorClass(cmd.Parameters[param].ParamKind))
                return static_cast<QWidget*>(child);
            break;
        default:
            return nullptr;
        }
    }
    return nullptr;
}

void TParameterPages::SetCommandEnabled(QGroupBox* group, bool enabled) {
    if (!group)
        return;
    group->setEnabled(enabled);
    if (enabled) {
        // Empty palette and font: everything is taken from the parent again.
        group->setAutoFillBackground(false);
        group->setPalette(QPalette());
        group->setFont(QFont());
    } else {
        QPalette palette = group->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(kInactiveCaptionColor));
        group->setPalette(palette);
        group->setAutoFillBackground(true);
        QFont font = group->font();
        font.setItalic(true);
        font.setStrikeOut(true);
        group->setFont(font);
    }

    // Only the generated controls carry a Tag; the inner parts of spin boxes
    // and drop-down lists follow their owner.
    TDeepComponentEnumerator walk(group);
    while (walk.MoveNext()) {
        QObject* obj = walk.Current();
        if (obj->isWidgetType() && obj->property(kTagProperty).isValid())
            static_cast<QWidget*>(obj)->setEnabled(enabled);
    }
    if (!enabled)
        return;
    TDeepComponentEnumerator switches(group);
    while (switches.MoveNext())
        if (auto* box = qobject_cast<QCheckBox*>(switches.Current());
            box && box->property(kTagProperty).isValid())
            CheckBoxClick(box);
}
