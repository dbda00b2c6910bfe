#pragma once

#include "profile/ParamSearch.h"

#include <QPointer>
#include <QVector>
#include <QWidget>
#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QTabWidget;

// The small search field of the main window. Typing shows the first
// parameter or command that matches (its page selected, scrolled into view,
// framed); Enter goes on to the next one, across pages. The field keeps the
// keyboard while searching, so typing never reaches an editor; Escape closes
// it and hands the focus to the match shown.
class TParamFindBar : public QWidget {
    Q_OBJECT
public:
    // The control that stands for a match on the pages (nullptr: none).
    using TLocate = std::function<QWidget*(const TParamMatch& match)>;

    TParamFindBar(QTabWidget* pages, TLocate locate, QWidget* parent);

    // Shows the field with the keyboard in it, its text selected.
    void Open();
    // Hides the field; the match shown gets the focus.
    void Close();
    void Search(const QString& text);
    void FindNext();

    // The control of the match shown, nullptr when none.
    QWidget* CurrentControl() const { return FShown; }

    QLineEdit* Field = nullptr;
    QLabel* Status = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(int index);
    void ClearHighlight();

    QTabWidget* FPages;
    TLocate FLocate;
    QVector<TParamMatch> FMatches;
    int FCurrent = -1;
    QPointer<QWidget> FShown;
    QPointer<QFrame> FFrame;
};
