#include "ControlIndex.h"

TControlIndex::TCommandControls& TControlIndex::AddCommand(int page, QWidget* group, int rows,
                                                           int params) {
    if (FPages.size() <= page)
        FPages.resize(page + 1);
    TCommandControls& controls = FPages[page].emplace_back();
    controls.Group = group;
    controls.Rows = qMax(0, rows);
    controls.Params = qMax(0, params);
    controls.Buttons.resize(controls.Rows);
    controls.Editors.resize(controls.Rows * controls.Params);
    controls.Switches.resize(controls.Rows * controls.Params);
    return controls;
}

QWidget* TControlIndex::Find(int page, int command, int row, int param, ControlRole role) const {
    if (page < 0 || page >= FPages.size() || command < 0 || command >= FPages[page].size())
        return nullptr;
    const TCommandControls& controls = FPages[page][command];
    if (!controls.Group)
        return nullptr;
    if (role == crGroup)
        return controls.Group;
    if (row < 0 || row >= controls.Rows)
        return nullptr;
    if (role == crButton)
        return param == 0 ? controls.Buttons[row].data() : nullptr;
    if (param < 0 || param >= controls.Params)
        return nullptr;
    const int cell = row * controls.Params + param;
    switch (role) {
    case crEditor:
        return controls.Editors[cell];
    case crSwitch:
        return controls.Switches[cell];
    default:
        return nullptr;
    }
}
