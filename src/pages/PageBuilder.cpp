#include "EditorAccess.h"
#include "HexEdit.h"
#include "HintText.h"
#include "ParameterPages.h"
#include "SwitchCheckBox.h"
#include "TagCode.h"

#include "base/Translate.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <climits>

// Geometry of the generated pages. Every position is absolute, in the units
// H and W. A group box places its children in its own coordinates, its
// caption included (the caption lies above the first H pixels, where nothing
// is placed), so a group's "client height" is simply its height.

namespace {

void SetTag(QObject* control, int tag) {
    control->setProperty(kTagProperty, tag);
}

// Tool tips show the hint as lines; the status bar shows it as one line.
void SetHint(QWidget* editor, const QString& hint) {
    QString lines = hint;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    editor->setToolTip(lines);
    QString single = lines;
    single.replace(QLatin1Char('\n'), QLatin1Char(' '));
    editor->setStatusTip(single.trimmed());
}

} // namespace

QWidget* TParameterPages::PageScrollBox(int page) const {
    if (!PageControl1 || page < 0 || page >= PageControl1->count())
        return nullptr;
    QWidget* tab = PageControl1->widget(page);
    auto* scroll =
        tab ? tab->findChild<QScrollArea*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    return scroll ? scroll->widget() : nullptr;
}

void TParameterPages::BuildPages() {
    while (PageControl1->count() > 0) {
        QWidget* tab = PageControl1->widget(0);
        PageControl1->removeTab(0);
        delete tab;
    }
    FControls.Clear();

    // One hidden label measures every wrapped switch caption.
    QLabel measure;
    measure.setFont(PageControl1->font()); // the font the generated controls inherit
    measure.setWordWrap(true);
    const int buttonHeight = QPushButton(QStringLiteral("X")).sizeHint().height();
    int editorHeights[4] = {-1, -1, -1, -1};

    for (int pageIndex = 0; pageIndex < DevCommands.size(); ++pageIndex) {
        const TCmdPage& page = DevCommands[pageIndex];
        auto* tab = new QWidget;
        auto* tabLayout = new QVBoxLayout(tab);
        tabLayout->setContentsMargins(0, 0, 0, 0);
        auto* scroll = new QScrollArea(tab);
        scroll->setWidgetResizable(false);
        scroll->verticalScrollBar()->setTracking(true);
        scroll->verticalScrollBar()->setSingleStep(H);
        tabLayout->addWidget(scroll);
        auto* box = new QWidget;

        int P = H / 5;
        // The Tag code holds 32767 commands, 256 rows and 256 parameters: more
        // would give two controls one address, so they are left out, and said so.
        const int commands = qMin(int(page.Commands.size()), kTagMaxCommands);
        if (commands < page.Commands.size())
            WriteLog(TrMain("Слишком много команд на странице ") + page.PageName, lkGeneral);
        for (int c = 0; c < commands; ++c) {
            const TDevCommand& cmd = page.Commands[c];
            auto* group = new QGroupBox(cmd.Description, box);
            SetTag(group, MakeTag(c, 0, 0));
            auto* nameLabel = new QLabel(cmd.CommandName, group);
            SetTag(nameLabel, MakeTag(c, 0, 0));
            nameLabel->adjustSize();
            nameLabel->move(W / 2, H);
            int Y = H / 5 + nameLabel->y() + nameLabel->height();
            int R = 0;
            const int rows = qMin(cmd.Indexed ? cmd.MaxIndex : 1, kTagMaxRows);
            const int params = qMin(int(cmd.Parameters.size()), kTagMaxParams);
            if (rows < cmd.RowCount() || params < cmd.Parameters.size())
                WriteLog(TrMain("Слишком много строк или параметров в команде ") + cmd.CommandName,
                         lkGeneral);
            TControlIndex::TCommandControls& controls =
                FControls.AddCommand(pageIndex, group, rows, params);
            QGroupBox* rowBox = nullptr;

            for (int r = 0; r < rows; ++r) {
                QWidget* container = group;
                if (cmd.Indexed) {
                    R = r == 0 ? Y : H / 5 + rowBox->y() + rowBox->height();
                    Y = H;
                    rowBox = new QGroupBox(QStringLiteral("#") + QString::number(r + 1), group);
                    SetTag(rowBox, MakeTag(c, r, 0));
                    rowBox->setGeometry(W / 5, R, 40 * W, 0);
                    container = rowBox;
                }

                for (int k = 0; k < params; ++k) {
                    const TCmdParameter& param = cmd.Parameters[k];
                    const int tag = MakeTag(c, r, k);
                    QWidget* caption = nullptr;
                    QLabel* label = nullptr;
                    if (param.Optional) {
                        auto* sw = new TSwitchCheckBox(param.Description, container);
                        SetTag(sw, tag);
                        sw->setChecked(true);
                        measure.setText(param.Description);
                        const int height = qMax(H, measure.heightForWidth(13 * W));
                        sw->setGeometry(W / 2, Y, 14 * W, height);
                        connect(sw, &QCheckBox::toggled, this, [this, sw] { CheckBoxClick(sw); });
                        controls.Switches[r * params + k] = sw;
                        caption = sw;
                    } else {
                        label = new QLabel(param.Description, container);
                        SetTag(label, tag);
                        label->setWordWrap(true);
                        label->setGeometry(W + W / 2, Y, 13 * W, label->heightForWidth(13 * W));
                        caption = label;
                    }

                    QWidget* editor = nullptr;
                    switch (param.ParamKind) {
                    case pkInteger: {
                        auto* spin = new QSpinBox(container);
                        // Its text goes on the line and into files as it is:
                        // plain digits and "-", whatever the operator's locale.
                        spin->setLocale(QLocale::c());
                        const int low = qint32(param.MinValue);
                        const int high = qint32(param.MaxValue);
                        // Equal bounds leave the value unbounded.
                        if (low == high)
                            spin->setRange(INT_MIN, INT_MAX);
                        else
                            spin->setRange(low, high);
                        bool ok = false;
                        const int value = param.DefaultValue.trimmed().toInt(&ok);
                        spin->setValue(ok ? value : 0);
                        editor = spin;
                        break;
                    }
                    case pkHex: {
                        auto* hex = new THexEdit(container);
                        hex->SetDigits(HexValueDigits(param.MaxLen));
                        hex->setText(param.DefaultValue);
                        hex->OnKeyPress = [this](QChar& key) { return HexEditKeyPress(key); };
                        InstallExitRule(hex);
                        editor = hex;
                        break;
                    }
                    case pkOption: {
                        auto* combo = new QComboBox(container);
                        combo->setEditable(false);
                        for (const TCmdOption& option : param.Options)
                            combo->addItem(option.OptionText);
                        combo->setCurrentIndex(DefaultOption(param));
                        editor = combo;
                        break;
                    }
                    case pkString:
                    default: {
                        auto* edit = new QLineEdit(container);
                        if (param.MaxLen > 0)
                            edit->setMaxLength(param.MaxLen);
                        edit->setText(param.DefaultValue);
                        if (!param.OnCharMask.isEmpty()) {
                            RememberMatchingText(edit);
                            connect(edit, &QLineEdit::textChanged, this,
                                    [this, edit] { EditChange(edit); });
                        }
                        if (!param.OnLeaveMask.isEmpty())
                            InstallExitRule(edit);
                        editor = edit;
                        break;
                    }
                    }
                    SetTag(editor, tag);
                    controls.Editors[r * params + k] = editor;
                    SetHint(editor, ParameterHint(param));
                    // Editors of one kind share their height: ask the style once.
                    int& editorHeight = editorHeights[param.ParamKind & 3];
                    if (editorHeight < 0)
                        editorHeight = editor->sizeHint().height();
                    editor->setGeometry(15 * W, Y, 20 * W, editorHeight);
                    if (label)
                        label->setBuddy(editor);

                    if (!param.Suffix.isEmpty()) {
                        auto* suffix = new QLabel(param.Suffix, container);
                        SetTag(suffix, tag);
                        suffix->adjustSize();
                        suffix->move(editor->x() + editor->width() + W / 2, editor->y());
                    }
                    Y = editor->y() + qMax(caption->height(), editor->height()) + H / 2;
                }

                if (cmd.Indexed && cmd.SetData) {
                    auto* apply = new QPushButton(TrMain("Применить"), rowBox);
                    SetTag(apply, MakeTag(c, r, 0));
                    apply->setGeometry(W / 2, Y, 4 * W, buttonHeight);
                    connect(apply, &QPushButton::clicked, this,
                            [this, apply] { Q_EMIT ApplyClicked(apply); });
                    controls.Buttons[r] = apply;
                    rowBox->resize(rowBox->width(), apply->y() + apply->height() + H / 2);
                } else if (cmd.Indexed) {
                    rowBox->resize(rowBox->width(), Y);
                }
                if (cmd.Indexed)
                    R = rowBox->y() + rowBox->height() + H / 2;
            }

            const int buttonTop = cmd.Indexed ? R : Y;
            QPushButton* lastButton = nullptr;
            QPushButton* firstButton = nullptr;
            if (cmd.SetData) {
                auto* apply = new QPushButton(
                    cmd.Indexed ? TrMain("Применить все") : TrMain("Применить"), group);
                SetTag(apply, MakeTag(c, 0, 0));
                apply->setGeometry(W / 2, buttonTop, 6 * W, buttonHeight);
                if (cmd.Indexed)
                    connect(apply, &QPushButton::clicked, this,
                            [this, apply] { Q_EMIT ApplyAllIndexedClicked(apply); });
                else
                    connect(apply, &QPushButton::clicked, this,
                            [this, apply] { Q_EMIT ApplyClicked(apply); });
                lastButton = apply;
                firstButton = apply;
            }
            if (cmd.PollData) {
                auto* poll = new QPushButton(TrMain("Получить"), group);
                SetTag(poll, MakeTag(c, 0, 0));
                poll->setGeometry(7 * W, buttonTop, 6 * W, buttonHeight);
                connect(poll, &QPushButton::clicked, this,
                        [this, poll] { Q_EMIT PollClicked(poll); });
                lastButton = poll;
                if (!firstButton)
                    firstButton = poll;
            }
            // A plain command's row is answered by the command's first button;
            // an indexed command's rows have theirs in their boxes.
            if (!cmd.Indexed && rows > 0)
                controls.Buttons[0] = firstButton;
            const int groupHeight =
                lastButton ? lastButton->y() + lastButton->height() + H / 2 : buttonTop;
            group->setGeometry(W / 5, P, 41 * W, groupHeight);
            P = group->y() + group->height() + H / 2;
        }

        auto* applyPage = new QPushButton(TrMain("Применить страницу"), box);
        SetTag(applyPage, 0);
        applyPage->setGeometry(W / 2, P, 7 * W, buttonHeight);
        connect(applyPage, &QPushButton::clicked, this,
                [this, applyPage] { Q_EMIT ApplyPageClicked(applyPage); });
        auto* pollPage = new QPushButton(TrMain("Получить страницу"), box);
        SetTag(pollPage, 0);
        pollPage->setGeometry(8 * W, P, 7 * W, buttonHeight);
        connect(pollPage, &QPushButton::clicked, this,
                [this, pollPage] { Q_EMIT PollPageClicked(pollPage); });

        // Children not shown yet do not count in childrenRect: sum up by hand.
        QRect used;
        for (QObject* child : box->children())
            if (auto* w = qobject_cast<QWidget*>(child))
                used |= w->geometry();
        box->resize(used.right() + 1 + W / 5, used.bottom() + 1 + H / 5);
        scroll->setWidget(box);
        PageControl1->addTab(tab, page.PageName);
    }

    if (PageControl1->count() > 0)
        PageControl1->setCurrentIndex(0);
}
