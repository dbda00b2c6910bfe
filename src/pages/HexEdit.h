#pragma once

#include <QChar>
#include <QLineEdit>
#include <functional>

// Masked editor of a hexadecimal parameter: upper case, every position
// required. Typed characters pass OnKeyPress first (false drops the key, the
// handler may change it); Esc abandons the changes made since the editor got
// the focus.
class THexEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit THexEdit(QWidget* parent = nullptr);

    // ">" and one required hex position per digit.
    void SetDigits(int digits);
    int Digits() const { return FDigits; }

    // True unless the user changed the text and left a position blank.
    bool ValidateEdit() const;
    bool Edited() const { return FEdited; }
    // The editor was left with its text accepted: the next change starts afresh.
    void EndEdit() { FEdited = false; }

    std::function<bool(QChar&)> OnKeyPress;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    int FDigits = 0;
    bool FEdited = false;
    QString FOldText;
};
