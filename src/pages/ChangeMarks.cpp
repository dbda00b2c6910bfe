#include "ChangeMarks.h"
#include "PaintedPixmap.h"

#include "profile/ParamValues.h"
#include "profile/TouchRecorder.h"
#include "profile/WireValue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QSpinBox>
#include <QTabWidget>
#include <utility>

namespace {
const QColor kChangedBase(0xFF, 0xEC, 0xB8); // editor background
const QColor kMarkColor(0xE0, 0x70, 0x00);   // side bar, dots
constexpr int kSideBarWidth = 3;
constexpr int kSideBarGap = 2;
constexpr int kTabDotSize = 10;
constexpr char kHintProperty[] = "velmoraPlainHint";
constexpr char kDot[] = "\u25CF";

quint64 CommandKey(int page, int command) {
    return (quint64(quint32(page)) << 32) | quint32(command);
}

QIcon DotIcon() {
    return QIcon(PaintPixmap(kTabDotSize, [](QPainter& painter) {
        painter.setBrush(kMarkColor);
        painter.drawEllipse(1, 1, kTabDotSize - 2, kTabDotSize - 2);
    }));
}

void TintEditor(QWidget* editor, bool on) {
    if (!on) {
        editor->setPalette(QPalette());
        return;
    }
    QPalette palette = editor->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, kChangedBase);
        palette.setColor(group, QPalette::Button, kChangedBase);
    }
    editor->setPalette(palette);
}

} // namespace

TChangeMarks::TChangeMarks(TParamValues& values, QTabWidget* tabs, TLocators locators,
                           QObject* parent)
    : QObject(parent), FValues(values), FTabs(tabs), FLocate(std::move(locators)) {}

TChangeMarks::THold::THold(TChangeMarks& marks) : FMarks(marks) {
    ++FMarks.FHolds;
}

TChangeMarks::THold::~THold() {
    if (--FMarks.FHolds == 0)
        FMarks.Release();
}

void TChangeMarks::Release() {
    const QVector<TCmdAddress> held = std::exchange(FHeld, {});
    FHeldKeys.clear();
    for (const TCmdAddress& a : held)
        Refresh(a);
}

void TChangeMarks::Attach() {
    for (const QPointer<QFrame>& bar : std::as_const(FSideBars))
        delete bar.data();
    for (const QPointer<QLabel>& dot : std::as_const(FGroupDots))
        delete dot.data();
    FSideBars.clear();
    FGroupDots.clear();
    FReferences.clear();
    FMarked.clear();
    FCommandMarks.clear();
    FHeld.clear();
    FHeldKeys.clear();
    FPageMarks = QVector<int>(DevCommands.size(), 0);
    for (int p = 0; p < FTabs->count(); ++p)
        FTabs->setTabIcon(p, QIcon());

    for (int p = 0; p < DevCommands.size(); ++p) {
        const QVector<TDevCommand>& commands = DevCommands[p].Commands;
        for (int c = 0; c < commands.size(); ++c) {
            const TDevCommand& command = commands[c];
            for (int r = 0; r < qMax(1, command.RowCount()); ++r) {
                for (int k = 0; k < command.Parameters.size(); ++k) {
                    const TCmdAddress a{p, c, r, k};
                    if (!FValues.HasValue(a))
                        continue;
                    FReferences.insert(AddressKey(a),
                                       {FValues.WireText(a), FValues.ParameterEnabled(a)});
                    Watch(a, FLocate.Editor(a), FLocate.Switch(a));
                }
            }
        }
    }
    ++FGeneration;
    emit MarksChanged();
}

void TChangeMarks::Watch(const TCmdAddress& address, QWidget* editor, QWidget* sw) {
    const auto refresh = [this, address] { Refresh(address); };
    if (auto* spin = qobject_cast<QSpinBox*>(editor))
        connect(spin, &QSpinBox::valueChanged, this, refresh);
    else if (auto* edit = qobject_cast<QLineEdit*>(editor))
        connect(edit, &QLineEdit::textChanged, this, refresh);
    else if (auto* combo = qobject_cast<QComboBox*>(editor))
        connect(combo, &QComboBox::currentIndexChanged, this, refresh);
    if (auto* box = qobject_cast<QCheckBox*>(sw))
        connect(box, &QCheckBox::toggled, this, refresh);
}

void TChangeMarks::Confirm(const TTouchRecorder& touched, bool withSwitches) {
    for (const TCmdAddress& a : touched.Touched()) {
        const auto ref = FReferences.find(AddressKey(a));
        if (ref == FReferences.end())
            continue;
        const int touches = touched.Touches(a);
        if (touches & TTouchRecorder::tcValue)
            ref->Wire = FValues.WireText(a);
        if ((touches & TTouchRecorder::tcSwitch) ||
            (withSwitches && (touches & TTouchRecorder::tcValue)))
            ref->Enabled = FValues.ParameterEnabled(a);
        Refresh(a);
    }
}

void TChangeMarks::Refresh(const TCmdAddress& address) {
    const quint64 key = AddressKey(address);
    if (FHolds > 0) {
        if (!FHeldKeys.contains(key)) {
            FHeldKeys.insert(key);
            FHeld.append(address);
        }
        return;
    }
    const auto ref = FReferences.constFind(key);
    const TCmdParameter* param = RowParameterAt(address);
    if (ref == FReferences.constEnd() || !param)
        return;
    const bool enabled = FValues.ParameterEnabled(address);
    const bool changed =
        enabled != ref->Enabled || !SameWireValue(*param, FValues.WireText(address), ref->Wire);
    const bool was = FMarked.contains(key);
    if (changed)
        FMarked.insert(key, address);
    else
        FMarked.remove(key);
    if (changed || was) {
        // The tool tip carries the reference, which may have moved while the
        // mark stayed. An editor never marked has nothing to take back.
        ShowEditorMark(address, changed);
        // Any edit of a marked value counts as news (a save before it is stale).
        ++FGeneration;
    }
    if (changed == was)
        return;

    const quint64 commandKey = CommandKey(address.Page, address.Command);
    int& inCommand = FCommandMarks[commandKey];
    inCommand += changed ? 1 : -1;
    if ((changed && inCommand == 1) || (!changed && inCommand == 0))
        ShowCommandMark(address.Page, address.Command, changed);
    if (inCommand == 0)
        FCommandMarks.remove(commandKey);
    if (address.Page < FPageMarks.size()) {
        int& inPage = FPageMarks[address.Page];
        inPage += changed ? 1 : -1;
        if (address.Page < FTabs->count() &&
            ((changed && inPage == 1) || (!changed && inPage == 0)))
            FTabs->setTabIcon(address.Page, changed ? DotIcon() : QIcon());
    }
    emit MarksChanged();
}

void TChangeMarks::ShowEditorMark(const TCmdAddress& address, bool on) {
    QWidget* editor = FLocate.Editor(address);
    if (!editor)
        return;
    const quint64 key = AddressKey(address);
    TintEditor(editor, on);

    QPointer<QFrame>& bar = FSideBars[key];
    if (on && !bar && editor->parentWidget()) {
        bar = new QFrame(editor->parentWidget());
        bar->setObjectName(QStringLiteral("ChangeMark"));
        bar->setAutoFillBackground(true);
        QPalette palette = bar->palette();
        palette.setColor(QPalette::Window, kMarkColor);
        bar->setPalette(palette);
        bar->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    if (bar) {
        bar->setGeometry(editor->x() - kSideBarGap - kSideBarWidth, editor->y(), kSideBarWidth,
                         editor->height());
        bar->setVisible(on);
    }

    QVariant plain = editor->property(kHintProperty);
    if (!plain.isValid()) {
        plain = editor->toolTip();
        editor->setProperty(kHintProperty, plain);
    }
    QString tip = plain.toString();
    if (on)
        tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) +
               tr("было: %1").arg(ReferenceText(address));
    editor->setToolTip(tip);
}

void TChangeMarks::ShowCommandMark(int page, int command, bool on) {
    QWidget* group = FLocate.Group({page, command, 0, 0});
    if (!group)
        return;
    QPointer<QLabel>& dot = FGroupDots[CommandKey(page, command)];
    if (on && !dot) {
        // Beside the command name label, the group's first label.
        const QLabel* name = group->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
        dot = new QLabel(QString::fromUtf8(kDot), group);
        dot->setObjectName(QStringLiteral("ChangeMarkGroup"));
        dot->setToolTip(tr("Есть изменённые значения"));
        QPalette palette = dot->palette();
        palette.setColor(QPalette::WindowText, kMarkColor);
        dot->setPalette(palette);
        dot->adjustSize();
        if (name)
            dot->move(name->x() + name->width() + kSideBarGap * 2, name->y());
    }
    if (dot)
        dot->setVisible(on);
}

bool TChangeMarks::IsMarked(const TCmdAddress& address) const {
    return FMarked.contains(AddressKey(address));
}

bool TChangeMarks::CommandMarked(int page, int command) const {
    return FCommandMarks.value(CommandKey(page, command), 0) > 0;
}

bool TChangeMarks::PageMarked(int page) const {
    return page >= 0 && page < FPageMarks.size() && FPageMarks[page] > 0;
}

QString TChangeMarks::ReferenceText(const TCmdAddress& address) const {
    const auto ref = FReferences.constFind(AddressKey(address));
    const TCmdParameter* param = RowParameterAt(address);
    if (ref == FReferences.constEnd() || !param)
        return QString();
    return DisplayWireValue(*param, ref->Wire, ref->Enabled);
}
