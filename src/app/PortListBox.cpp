#include "PortListBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace {

constexpr int kPortListPollMs = 1000;
// Without the tty class there is no list to take.
constexpr char kTtyClassFolder[] = "/sys/class/tty";

class TPortItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString label = index.data(TPortListBox::kLabelRole).toString();
        if (!label.isEmpty())
            option->text = label;
    }
};

bool SystemPorts(QList<TPortListEntry>& entries) {
    if (!QFileInfo::exists(QLatin1String(kTtyClassFolder)))
        return false;
    entries = ListPortEntries();
    return true;
}

} // namespace

TPortListBox::TPortListBox(QComboBox* box) : QObject(box), FBox(box), FSource(SystemPorts) {
    FBox->setItemDelegate(new TPortItemDelegate(FBox));
    FBox->installEventFilter(this);
    FPoll.setInterval(kPortListPollMs);
    connect(&FPoll, &QTimer::timeout, this, [this] { Refresh(); });
}

void TPortListBox::Fill() {
    QList<TPortListEntry> entries;
    if (FSource(entries))
        SetItems(entries);
}

void TPortListBox::Refresh() {
    // An open popup is not pulled from under the operator's mouse.
    QList<TPortListEntry> entries;
    if (FBox->view()->isVisible() || !FSource(entries))
        return;
    QStringList labels;
    for (const TPortListEntry& e : entries)
        labels << PortListLabel(e);
    if (labels == FLabels)
        return;
    QLineEdit* edit = FBox->lineEdit();
    const QString text = FBox->currentText();
    const int cursor = edit ? edit->cursorPosition() : 0;
    const int selStart = edit ? edit->selectionStart() : -1;
    const int selLength = edit ? edit->selectedText().size() : 0;
    SetItems(entries);
    FBox->setEditText(text);
    if (edit) {
        if (selStart >= 0)
            edit->setSelection(selStart, selLength);
        else
            edit->setCursorPosition(cursor);
    }
}

void TPortListBox::SetItems(const QList<TPortListEntry>& entries) {
    FLabels.clear();
    FBox->clear();
    for (const TPortListEntry& e : entries) {
        const QString label = PortListLabel(e);
        FLabels << label;
        FBox->addItem(e.Name);
        FBox->setItemData(FBox->count() - 1, label, kLabelRole);
        FBox->setItemData(FBox->count() - 1, label, Qt::ToolTipRole);
    }
    // The popup is as wide as its longest row.
    int width = FBox->width();
    for (const QString& label : std::as_const(FLabels))
        width = std::max(width, FBox->fontMetrics().horizontalAdvance(label) +
                                    4 * FBox->iconSize().width());
    FBox->view()->setMinimumWidth(width);
}

bool TPortListBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FBox) {
        if (event->type() == QEvent::Show)
            FPoll.start();
        else if (event->type() == QEvent::Hide)
            FPoll.stop();
    }
    return QObject::eventFilter(watched, event);
}
