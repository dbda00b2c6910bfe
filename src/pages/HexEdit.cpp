#include "HexEdit.h"

#include "profile/DevCommands.h"

#include <QFocusEvent>
#include <QKeyEvent>

THexEdit::THexEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, [this] { FEdited = true; });
}

void THexEdit::SetDigits(int digits) {
    FDigits = qBound(1, digits, kHexMaxDigits);
    setInputMask(QStringLiteral(">") + QString(FDigits, QLatin1Char('H')));
}

bool THexEdit::ValidateEdit() const {
    return !FEdited || hasAcceptableInput();
}

void THexEdit::focusInEvent(QFocusEvent* e) {
    // Coming back after a refused exit keeps the text to return to.
    if (!FEdited)
        FOldText = text();
    QLineEdit::focusInEvent(e);
}

void THexEdit::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && FEdited) {
        setText(FOldText);
        FEdited = false;
        e->accept();
        return;
    }
    const QString typed = e->text();
    const bool character =
        typed.size() == 1 && (typed.at(0).isPrint() || typed.at(0) == QLatin1Char('\r'));
    if (character && OnKeyPress) {
        QChar key = typed.at(0);
        if (!OnKeyPress(key)) {
            e->accept();
            return;
        }
        if (key != typed.at(0)) {
            QKeyEvent changed(e->type(), e->key(), e->modifiers(), QString(key), e->isAutoRepeat(),
                              ushort(e->count()));
            QLineEdit::keyPressEvent(&changed);
            e->setAccepted(changed.isAccepted());
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}
