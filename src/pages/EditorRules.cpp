#include "EditorAccess.h"
#include "HexEdit.h"
#include "ParameterPages.h"
#include "TagCode.h"

#include "base/Translate.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>

namespace {

constexpr char kLastMatchProperty[] = "LastMatchText";
constexpr char kLastMatchCursorProperty[] = "LastMatchCursor";
constexpr int kHexRadix = 16;

} // namespace

void RememberMatchingText(QLineEdit* edit) {
    edit->setProperty(kLastMatchProperty, edit->text());
    edit->setProperty(kLastMatchCursorProperty, edit->cursorPosition());
}

// While a refused exit gives the focus back, the mouse press that tried to
// take it elsewhere must not go on to click: a button pressed beside an
// invalid value would otherwise send or use that value.
class TPressSwallower : public QObject {
public:
    explicit TPressSwallower(QObject* parent) : QObject(parent) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress &&
            event->type() != QEvent::MouseButtonDblClick)
            return false;
        if (!FEdit) { // the editor is gone: nothing is being kept
            Stop();
            return false;
        }
        if (!watched->isWidgetType() || watched == FEdit)
            return false;
        Stop();
        return true;
    }
    void Start(QLineEdit* edit) {
        FEdit = edit;
        qApp->installEventFilter(this);
    }
    void Stop() {
        FEdit = nullptr;
        qApp->removeEventFilter(this);
    }

private:
    QPointer<QLineEdit> FEdit;
};

// Runs the leave rules when an editor loses the focus inside the window and
// gives the focus back when a rule refuses. An editor that only passed the
// focus on while it was being given back runs no rule, so two refusing
// editors cannot pull the focus to and fro.
class TEditorExitFilter : public QObject {
public:
    explicit TEditorExitFilter(TParameterPages* form)
        : QObject(form), FForm(form), FSwallower(new TPressSwallower(this)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            if (FForm->FFocusReturn == watched)
                FForm->FFocusReturn = nullptr;
            return false;
        }
        if (event->type() != QEvent::FocusOut)
            return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Switching to another window or opening a menu does not leave the editor.
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (!edit || !edit->isEnabled() || !edit->isVisible())
            return false;
        if (FForm->FFocusReturn && FForm->FFocusReturn != edit)
            return false;

        bool accepted = true;
        if (auto* hex = qobject_cast<THexEdit*>(edit)) {
            if (!hex->ValidateEdit()) {
                FForm->WriteLog(
                    QCoreApplication::translate(
                        "THexEdit", "Invalid input value.  Use escape key to abandon changes"),
                    lkGeneral);
                QApplication::beep();
                accepted = false;
            } else {
                accepted = FForm->HexEditExit(hex);
            }
            if (accepted)
                hex->EndEdit();
        } else {
            accepted = FForm->EditExit(edit);
        }
        if (!accepted) {
            FForm->FFocusReturn = edit;
            // A click moves the focus before the press is delivered: the
            // press comes next, within this same event, and is dropped.
            if (reason == Qt::MouseFocusReason)
                FSwallower->Start(edit);
            QTimer::singleShot(0, edit,
                               [form = QPointer<TParameterPages>(FForm),
                                swallower = QPointer<TPressSwallower>(FSwallower), edit] {
                                   if (swallower)
                                       swallower->Stop();
                                   edit->setFocus(Qt::OtherFocusReason);
                                   // A window that is not active takes no focus: nothing to wait
                                   // for.
                                   if (form && !edit->hasFocus() && form->FFocusReturn == edit)
                                       form->FFocusReturn = nullptr;
                               });
        }
        return false;
    }

private:
    TParameterPages* FForm;
    TPressSwallower* FSwallower;
};

void TParameterPages::InstallExitRule(QLineEdit* edit) {
    if (!FExitFilter)
        FExitFilter = new TEditorExitFilter(this);
    edit->installEventFilter(FExitFilter);
}

bool TParameterPages::MaskMatches(const QString& mask, const QString& text) {
    RegExpr.setPattern(mask);
    if (!RegExpr.isValid()) {
        // A broken mask must not lock the editor: it lets everything through.
        if (!FInvalidMasks.contains(mask)) {
            FInvalidMasks.append(mask);
            WriteLog(TrMain("Неверная маска: ") + mask, lkGeneral);
        }
        return true;
    }
    return RegExpr.match(text).hasMatch();
}

void TParameterPages::CheckBoxClick(QCheckBox* box) {
    if (!box)
        return;
    const TCmdAddress a = ControlAddress(box);
    if (QWidget* editor = FindControl(a.Page, a.Command, a.Row, a.Param, crEditor))
        editor->setEnabled(box->isChecked());
}

void TParameterPages::EditChange(QLineEdit* edit) {
    if (!edit)
        return;
    const TCmdParameter* param = ParameterAt(ControlAddress(edit));
    if (!param || param->OnCharMask.isEmpty())
        return;
    // Text set by the program (a device answer, a loaded file) is not a
    // keystroke to take back: it stands, and later typing returns to it.
    if (MaskMatches(param->OnCharMask, edit->text()) || !edit->isModified()) {
        RememberMatchingText(edit);
        return;
    }
    const QString last = edit->property(kLastMatchProperty).toString();
    const int cursor = edit->property(kLastMatchCursorProperty).toInt();
    {
        const QSignalBlocker block(edit);
        edit->setText(last);
        edit->setCursorPosition(cursor);
    }
    // The user's typing continues: keep the box marked as changed by hand.
    edit->setModified(true);
}

bool TParameterPages::EditExit(QLineEdit* edit) {
    if (!edit)
        return true;
    const TCmdParameter* param = ParameterAt(ControlAddress(edit));
    if (!param || param->OnLeaveMask.isEmpty())
        return true;
    if (MaskMatches(param->OnLeaveMask, edit->text()))
        return true;
    WriteLog(TrMain("Значение не удовлетворяет маске"), lkGeneral);
    QApplication::beep();
    return false;
}

bool TParameterPages::HexEditKeyPress(QChar& key) {
    key = key.toUpper();
    return key == QLatin1Char('\r') || (key >= QLatin1Char('0') && key <= QLatin1Char('9')) ||
           (key >= QLatin1Char('A') && key <= QLatin1Char('F'));
}

bool TParameterPages::HexEditExit(THexEdit* edit) {
    if (!edit)
        return true;
    const TCmdParameter* param = ParameterAt(ControlAddress(edit));
    if (!param)
        return true;
    bool ok = false;
    const quint64 read = edit->text().trimmed().toULongLong(&ok, kHexRadix);
    const qint64 value = qint64(quint32(ok ? read : 0));
    if (value <= param->MaxValue && value >= param->MinValue)
        return true;
    WriteLog(TrMain("Значение не входит заданный диапазон"), lkGeneral);
    QApplication::beep();
    return false;
}
