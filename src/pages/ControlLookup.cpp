#include "HexEdit.h"
#include "ParameterPages.h"
#include "TagCode.h"
#include "UnsupportedLook.h"
#include "base/DeepComponentEnumerator.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLineEdit>
#include <QPalette>
#include <QSpinBox>
#include <QTabWidget>

namespace {

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
    QWidget* control = FControls.Find(page, command, row, param, role);
    if (!control || role == crGroup)
        return control;
    // Only what the command table still holds is answered for.
    const TDevCommand* cmd = CommandAt(page, command);
    if (!cmd)
        return nullptr;
    if (role == crEditor &&
        (param >= cmd->Parameters.size() ||
         control->metaObject() != EditorClass(cmd->Parameters[param].ParamKind)))
        return nullptr;
    return control;
}

void TParameterPages::SetCommandEnabled(QGroupBox* group, bool enabled) {
    if (!group)
        return;
    group->setEnabled(enabled);
    if (enabled)
        ShowSupported(group);
    else
        ShowUnsupported(group);

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
