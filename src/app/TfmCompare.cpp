#include "TfmCompare.h"

#include "profile/WireValue.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int kDialogWidth = 820;
constexpr int kDialogHeight = 480;
} // namespace

TfmCompare::TfmCompare(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmCompare"));
    setWindowTitle(tr("Сравнение значений"));
    resize(kDialogWidth, kDialogHeight);
    setSizeGripEnabled(true);

    auto* layout = new QVBoxLayout(this);
    Table = new QTableWidget(0, colCount, this);
    Table->setObjectName(QStringLiteral("Table"));
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->verticalHeader()->hide();
    Table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(Table, 1);

    lblCounts = new QLabel(this);
    lblCounts->setObjectName(QStringLiteral("lblCounts"));
    lblCounts->setWordWrap(true);
    layout->addWidget(lblCounts);

    auto* buttons = new QHBoxLayout;
    cbSelectAll = new QCheckBox(tr("Выбрать все"), this);
    cbSelectAll->setObjectName(QStringLiteral("cbSelectAll"));
    btnTransfer = new QPushButton(tr("Перенести выбранные"), this);
    btnTransfer->setObjectName(QStringLiteral("btnTransfer"));
    btnTransfer->setToolTip(tr("Поставить отмеченные значения на страницы"));
    btnWrite = new QPushButton(tr("Записать выбранные"), this);
    btnWrite->setObjectName(QStringLiteral("btnWrite"));
    btnWrite->setToolTip(tr("Записать в трекер строки команд с отмеченными значениями"));
    btnClose = new QPushButton(tr("Закрыть"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    buttons->addWidget(cbSelectAll);
    buttons->addStretch(1);
    buttons->addWidget(btnTransfer);
    buttons->addWidget(btnWrite);
    buttons->addWidget(btnClose);
    layout->addLayout(buttons);

    // Checks every row unless all are checked already, then clears them.
    connect(cbSelectAll, &QCheckBox::clicked, this,
            [this] { SetAllChecked(CheckedRows().size() != FRows.size()); });
    connect(Table, &QTableWidget::itemChanged, this, [this] { UpdateButtons(); });
    connect(btnTransfer, &QPushButton::clicked, this, [this] { done(caTransfer); });
    connect(btnWrite, &QPushButton::clicked, this, [this] { done(caWrite); });
    connect(btnClose, &QPushButton::clicked, this, [this] { reject(); });
}

void TfmCompare::ShowDiff(const TValueDiff& diff, const QString& otherCaption, bool canWrite) {
    FRows = diff.Rows;
    FCanWrite = canWrite;
    FUpdating = true;
    Table->clearContents();
    Table->setRowCount(FRows.size());
    Table->setHorizontalHeaderLabels({tr("Страница"), tr("Команда"), tr("Строка"), tr("Параметр"),
                                      tr("На странице"), otherCaption});
    for (int i = 0; i < FRows.size(); ++i) {
        const TValueDiffRow& row = FRows[i];
        const TDevCommand* command = CommandAt(row.Address);
        const TCmdParameter* param = RowParameterAt(row.Address);
        if (!command || !param)
            continue;
        auto* page = new QTableWidgetItem(DevCommands[row.Address.Page].PageName);
        page->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        page->setCheckState(Qt::Unchecked);
        auto* name = new QTableWidgetItem(command->CommandName);
        name->setToolTip(command->Description);
        const QString other = row.OtherHasValue || !row.OtherEnabled
                                  ? DisplayWireValue(*param, row.OtherValue, row.OtherEnabled)
                                  : QString();
        const QStringList texts = {RowCaption(*command, row.Address.Row), param->Description,
                                   DisplayWireValue(*param, row.PageValue, row.PageEnabled), other};
        Table->setItem(i, colPage, page);
        Table->setItem(i, colCommand, name);
        for (int k = 0; k < texts.size(); ++k)
            Table->setItem(i, colRow + k, new QTableWidgetItem(texts[k]));
    }
    Table->resizeColumnsToContents();
    FUpdating = false;

    lblCounts->setText(tr("Сравнено: %1, различается: %2, нет в профиле: %3, не прочитано: %4")
                           .arg(diff.Compared)
                           .arg(diff.Differing())
                           .arg(diff.NotInProfile)
                           .arg(diff.NotReadable));
    btnWrite->setVisible(canWrite);
    cbSelectAll->setEnabled(!FRows.isEmpty());
    UpdateButtons();
}

QVector<TValueDiffRow> TfmCompare::CheckedRows() const {
    QVector<TValueDiffRow> out;
    for (int i = 0; i < FRows.size(); ++i) {
        const QTableWidgetItem* item = Table->item(i, colPage);
        if (item && item->checkState() == Qt::Checked)
            out.append(FRows[i]);
    }
    return out;
}

void TfmCompare::SetAllChecked(bool on) {
    FUpdating = true;
    for (int i = 0; i < Table->rowCount(); ++i)
        if (QTableWidgetItem* item = Table->item(i, colPage))
            item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    FUpdating = false;
    UpdateButtons();
}

void TfmCompare::SetRowChecked(int row, bool on) {
    if (QTableWidgetItem* item = Table->item(row, colPage))
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

void TfmCompare::UpdateButtons() {
    if (FUpdating)
        return;
    const int checked = CheckedRows().size();
    btnTransfer->setEnabled(checked > 0);
    btnWrite->setEnabled(FCanWrite && checked > 0);
    cbSelectAll->setChecked(checked > 0 && checked == FRows.size());
}
