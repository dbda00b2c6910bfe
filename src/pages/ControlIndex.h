#pragma once

#include <QPointer>
#include <QVector>
#include <QWidget>

enum ControlRole : int { crSwitch = 0, crEditor = 1, crButton = 2, crGroup = 3 };

// The generated controls by address, noted down as the pages are built, so
// that finding one costs an array index and not a walk over a page's
// widgets reading their Tag. An entry follows its widget: a control deleted
// since is not found.
class TControlIndex {
public:
    struct TCommandControls {
        QPointer<QWidget> Group;
        int Rows = 0;
        int Params = 0;
        QVector<QPointer<QWidget>> Buttons;  // per row: the first button of the row's box
        QVector<QPointer<QWidget>> Editors;  // row * Params + parameter
        QVector<QPointer<QWidget>> Switches; // likewise
    };

    void Clear() { FPages.clear(); }
    // The next command of the page; pages are added in order, from 0.
    TCommandControls& AddCommand(int page, QWidget* group, int rows, int params);
    // The control of the role, nullptr when none was built there or it is gone.
    QWidget* Find(int page, int command, int row, int param, ControlRole role) const;

private:
    QVector<QVector<TCommandControls>> FPages;
};
