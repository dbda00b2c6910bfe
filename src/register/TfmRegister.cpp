#include "TfmRegister.h"

#include "Register.h"
#include "RegisterUnitsModel.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kWindowWidth = 900;
constexpr int kWindowHeight = 640;
// The filter waits for a pause in typing before it asks the register.
constexpr int kFilterDelayMs = 250;

QTableWidget* NewTable(int columns, const QString& name, QWidget* parent) {
    auto* table = new QTableWidget(0, columns, parent);
    table->setObjectName(name);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void SetRow(QTableWidget* table, int row, const QStringList& texts) {
    for (int k = 0; k < texts.size(); ++k)
        table->setItem(row, k, new QTableWidgetItem(texts[k]));
}
} // namespace

TfmRegister::TfmRegister(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmRegister"));
    setWindowTitle(tr("Журнал трекеров"));
    resize(kWindowWidth, kWindowHeight);
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    eFilter = new QLineEdit(this);
    eFilter->setObjectName(QStringLiteral("eFilter"));
    eFilter->setPlaceholderText(tr("IMEI, модель или прошивка"));
    eFilter->setClearButtonEnabled(true);
    btnReload = new QPushButton(tr("Обновить"), this);
    btnReload->setObjectName(QStringLiteral("btnReload"));
    top->addWidget(new QLabel(tr("Найти:"), this));
    top->addWidget(eFilter, 1);
    top->addWidget(btnReload);
    layout->addLayout(top);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    UnitsModel = new TRegisterUnitsModel(this);
    Units = new QTableView(splitter);
    Units->setObjectName(QStringLiteral("Units"));
    Units->setModel(UnitsModel);
    Units->setSelectionBehavior(QAbstractItemView::SelectRows);
    Units->setSelectionMode(QAbstractItemView::SingleSelection);
    Units->verticalHeader()->hide();
    Units->horizontalHeader()->setStretchLastSection(true);
    Units->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    Events = NewTable(ecCount, QStringLiteral("Events"), splitter);
    Events->setHorizontalHeaderLabels({tr("Событие"), tr("Время"), tr("Действие"), tr("Результат"),
                                       tr("Порт"), tr("Рабочее место"), tr("Оператор"),
                                       tr("Изменено"), tr("Подробности")});
    Changes = NewTable(ccCount, QStringLiteral("Changes"), splitter);
    Changes->setHorizontalHeaderLabels(
        {tr("Команда"), tr("Строка"), tr("Параметр"), tr("Было"), tr("Стало")});
    splitter->addWidget(Units);
    splitter->addWidget(Events);
    splitter->addWidget(Changes);
    layout->addWidget(splitter, 1);

    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);
    layout->addWidget(lblStatus);

    auto* buttons = new QHBoxLayout;
    cbSnapshot = new QComboBox(this);
    cbSnapshot->setObjectName(QStringLiteral("cbSnapshot"));
    cbSnapshot->addItems({tr("до события"), tr("после события")});
    btnSaveSnapshot = new QPushButton(tr("Сохранить снимок..."), this);
    btnSaveSnapshot->setObjectName(QStringLiteral("btnSaveSnapshot"));
    btnSaveSnapshot->setToolTip(tr("Сохранить настройки трекера до или после события в файл"));
    btnRestore = new QPushButton(tr("Записать в трекер"), this);
    btnRestore->setObjectName(QStringLiteral("btnRestore"));
    btnRestore->setToolTip(tr("Вернуть трекеру настройки, которые он хранил до события"));
    auto* btnClose = new QPushButton(tr("Закрыть"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    buttons->addWidget(new QLabel(tr("Снимок:"), this));
    buttons->addWidget(cbSnapshot);
    buttons->addWidget(btnSaveSnapshot);
    buttons->addStretch(1);
    buttons->addWidget(btnRestore);
    buttons->addWidget(btnClose);
    layout->addLayout(buttons);

    SaveDialog = new QFileDialog(this);
    SaveDialog->setObjectName(QStringLiteral("SaveDialog"));
    SaveDialog->setOption(QFileDialog::DontUseNativeDialog, true);
    SaveDialog->setNameFilters({tr("Файлы настроек (*.zxml)"), tr("Все файлы (*)")});
    SaveDialog->setDefaultSuffix(QStringLiteral("zxml"));
    SaveDialog->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog->setFileMode(QFileDialog::AnyFile);

    tmFilter = new QTimer(this);
    tmFilter->setObjectName(QStringLiteral("tmFilter"));
    tmFilter->setSingleShot(true);
    tmFilter->setInterval(kFilterDelayMs);

    connect(eFilter, &QLineEdit::textChanged, tmFilter, qOverload<>(&QTimer::start));
    connect(tmFilter, &QTimer::timeout, this, [this] { Reload(); });
    connect(btnReload, &QPushButton::clicked, this, [this] { Reload(); });
    connect(Units->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { UnitChanged(); });
    connect(Events, &QTableWidget::currentCellChanged, this, [this] { EventChanged(); });
    connect(cbSnapshot, &QComboBox::currentIndexChanged, this, [this] { UpdateButtons(); });
    connect(btnSaveSnapshot, &QPushButton::clicked, this, [this] { SaveSnapshotClick(); });
    connect(btnRestore, &QPushButton::clicked, this, [this] { RestoreClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { close(); });
    UpdateButtons();
}

void TfmRegister::SetRegister(TRegister* reg) {
    FRegister = reg;
    Reload();
}

void TfmRegister::Reload() {
    tmFilter->stop();
    UnitsModel->Load(FRegister, eFilter->text());
    lblStatus->setText(UnitsModel->Error());
    Units->resizeColumnsToContents();
    UnitChanged();
}

void TfmRegister::ShowError(const QString& text) {
    lblStatus->setText(text);
}

void TfmRegister::UnitChanged() {
    FEvents.clear();
    Events->setRowCount(0);
    const TRegisterUnit* unit = UnitsModel->Unit(Units->currentIndex().row());
    TRegisterStore* store = FRegister && unit ? FRegister->Store() : nullptr;
    if (unit) {
        THistoryQuery query;
        query.Unit = unit->Unit;
        query.NewestFirst = true;
        if (!store || !store->History(query, FEvents)) {
            ShowError(store ? store->Error() : FRegister->Error());
            FEvents.clear();
        }
    }
    Events->setRowCount(int(FEvents.size()));
    for (int i = 0; i < FEvents.size(); ++i) {
        const TRegisterEvent& e = FEvents[i];
        SetRow(Events, i,
               {QString::number(e.Number), TimeCaption(e.Time), ActionCaption(e.Action),
                ResultCaption(e.Result), e.Port, e.Bench, e.Operator,
                QString::number(e.ChangeCount), e.Detail});
    }
    Events->resizeColumnsToContents();
    if (!FEvents.isEmpty())
        Events->setCurrentCell(0, ecNumber);
    EventChanged();
}

const TRegisterEvent* TfmRegister::SelectedEvent() const {
    const int row = Events->currentRow();
    return row >= 0 && row < FEvents.size() ? &FEvents[row] : nullptr;
}

void TfmRegister::EventChanged() {
    Changes->setRowCount(0);
    const TRegisterEvent* event = SelectedEvent();
    QVector<TRegisterChange> changes;
    if (event && event->ChangeCount > 0) {
        TRegisterStore* store = FRegister->Store();
        if (!store || !store->Changes(event->Number, changes))
            ShowError(store ? store->Error() : FRegister->Error());
    }
    Changes->setRowCount(int(changes.size()));
    for (int i = 0; i < changes.size(); ++i) {
        const TRegisterChange& c = changes[i];
        SetRow(Changes, i,
               {c.Command, QStringLiteral("#%1").arg(c.Row + 1),
                QStringLiteral("%1. %2").arg(c.Param + 1).arg(c.Parameter), c.OldValue,
                c.NewValue});
    }
    Changes->resizeColumnsToContents();
    UpdateButtons();
}

void TfmRegister::UpdateButtons() {
    const TRegisterEvent* event = SelectedEvent();
    const bool after = cbSnapshot->currentIndex() == scAfter;
    btnSaveSnapshot->setEnabled(event && (after ? event->HasAfter : event->HasBefore));
    btnRestore->setEnabled(event && event->HasBefore);
}

bool TfmRegister::SaveSnapshot(const QString& fileName, QString& error) {
    const TRegisterEvent* event = SelectedEvent();
    TRegisterStore* store = FRegister && event ? FRegister->Store() : nullptr;
    QByteArray bytes;
    if (!store || !store->Snapshot(event->Number, cbSnapshot->currentIndex() == scAfter, bytes)) {
        error = store ? store->Error() : tr("Событие не выбрано");
        return false;
    }
    if (bytes.isEmpty()) {
        error = tr("У события %1 нет этого снимка").arg(event->Number);
        return false;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

void TfmRegister::SaveSnapshotClick() {
    const TRegisterEvent* event = SelectedEvent();
    if (!event)
        return;
    SaveDialog->selectFile(QStringLiteral("%1-%2-%3.zxml")
                               .arg(event->Unit)
                               .arg(event->Number)
                               .arg(cbSnapshot->currentIndex() == scAfter
                                        ? QLatin1String("after")
                                        : QLatin1String("before")));
    if (SaveDialog->exec() != QDialog::Accepted || SaveDialog->selectedFiles().isEmpty())
        return;
    const QString fileName = SaveDialog->selectedFiles().constFirst();
    QString error;
    if (!SaveSnapshot(fileName, error))
        QMessageBox::warning(this, windowTitle(),
                             tr("Не удалось сохранить снимок в %1: %2")
                                 .arg(QDir::toNativeSeparators(fileName), error));
}

void TfmRegister::RestoreClick() {
    const TRegisterEvent* event = SelectedEvent();
    if (!event || !event->HasBefore)
        return;
    const qint64 number = event->Number;
    const QString unit = event->Unit;
    if (QMessageBox::question(this, windowTitle(),
                              tr("Записать в трекер %1 значения, которые он хранил до события "
                                 "%2?")
                                  .arg(unit)
                                  .arg(number)) != QMessageBox::Yes)
        return;
    Q_EMIT RestoreRequested(number, unit);
}
