#include "EditorAccess.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

QString EditorText(const QWidget* editor) {
    if (auto* spin = qobject_cast<const QSpinBox*>(editor))
        return spin->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(editor))
        return edit->text();
    return QString();
}

void SetEditorText(QWidget* editor, const QString& text) {
    if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
        bool ok = false;
        const int v = text.trimmed().toInt(&ok);
        if (ok)
            spin->setValue(v);
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        edit->setText(text);
}

int SelectedOption(const QWidget* editor) {
    if (auto* combo = qobject_cast<const QComboBox*>(editor))
        return combo->currentIndex();
    return -1;
}

void SelectOption(QWidget* editor, int index) {
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setCurrentIndex(index);
}

bool SwitchChecked(const QWidget* box) {
    auto* cb = qobject_cast<const QCheckBox*>(box);
    return cb && cb->isChecked();
}

void SetSwitchChecked(QWidget* box, bool on) {
    if (auto* cb = qobject_cast<QCheckBox*>(box))
        cb->setChecked(on);
}
