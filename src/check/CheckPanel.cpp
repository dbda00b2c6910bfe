#include "CheckPanel.h"

#include "check/InstallCheck.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// A VIN has 17 characters; older bodies carry longer numbers.
constexpr int kVinMaxLength = 32;
constexpr int kPlateMaxLength = 16;
constexpr int kInstallerMaxLength = 80;
constexpr int kVerdictPointSize = 14;

// No brush: the table's own background.
QBrush StateBrush(TCriterionState state) {
    switch (state) {
    case csPassed:
        return QColor(0xd4, 0xf4, 0xdb);
    case csFailed:
        return QColor(0xfb, 0xd5, 0xd5);
    case csWaiting:
    case csOff:
        break;
    }
    return QBrush();
}

} // namespace

TCheckPanel::TCheckPanel(QWidget* parent) : QGroupBox(tr("Проверка установки"), parent) {
    setObjectName(QStringLiteral("CheckPanel"));

    lvCriteria = new QTableWidget(ckCount, colCount, this);
    lvCriteria->setObjectName(QStringLiteral("lvCriteria"));
    lvCriteria->setHorizontalHeaderLabels({tr("Критерий"), tr("Состояние"), tr("Значение")});
    lvCriteria->verticalHeader()->hide();
    lvCriteria->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvCriteria->setSelectionMode(QAbstractItemView::NoSelection);
    lvCriteria->setWordWrap(false);
    QHeaderView* header = lvCriteria->horizontalHeader();
    header->setSectionResizeMode(colCriterion, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(colState, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(colValue, QHeaderView::Stretch);
    for (int r = 0; r < ckCount; ++r)
        for (int c = 0; c < colCount; ++c)
            lvCriteria->setItem(r, c, new QTableWidgetItem);
    lvCriteria->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lvCriteria->resizeRowsToContents();
    int height = lvCriteria->horizontalHeader()->sizeHint().height() + 2 * lvCriteria->frameWidth();
    for (int r = 0; r < ckCount; ++r)
        height += lvCriteria->rowHeight(r);
    lvCriteria->setFixedHeight(height);

    lVerdict = new QLabel(this);
    lVerdict->setObjectName(QStringLiteral("lVerdict"));
    QFont big = lVerdict->font();
    big.setPointSize(kVerdictPointSize);
    big.setBold(true);
    lVerdict->setFont(big);
    lReasons = new QLabel(this);
    lReasons->setObjectName(QStringLiteral("lReasons"));
    lReasons->setWordWrap(true);
    lReasons->setTextInteractionFlags(Qt::TextSelectableByMouse);

    ePlate = new QLineEdit(this);
    ePlate->setObjectName(QStringLiteral("ePlate"));
    ePlate->setMaxLength(kPlateMaxLength);
    eVin = new QLineEdit(this);
    eVin->setObjectName(QStringLiteral("eVin"));
    eVin->setMaxLength(kVinMaxLength);
    eInstaller = new QLineEdit(this);
    eInstaller->setObjectName(QStringLiteral("eInstaller"));
    eInstaller->setMaxLength(kInstallerMaxLength);
    auto* form = new QFormLayout;
    form->addRow(tr("Госномер"), ePlate);
    form->addRow(tr("VIN"), eVin);
    form->addRow(tr("Установщик"), eInstaller);

    btnRestart = new QPushButton(tr("Начать заново"), this);
    btnRestart->setObjectName(QStringLiteral("btnRestart"));
    btnSaveReport = new QPushButton(tr("Сохранить отчёт..."), this);
    btnSaveReport->setObjectName(QStringLiteral("btnSaveReport"));
    for (QPushButton* b : {btnRestart, btnSaveReport})
        b->setAutoDefault(false);
    connect(btnRestart, &QPushButton::clicked, this, &TCheckPanel::RestartRequested);
    connect(btnSaveReport, &QPushButton::clicked, this, &TCheckPanel::SaveReportRequested);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnRestart);
    buttons->addWidget(btnSaveReport);

    auto* v = new QVBoxLayout(this);
    v->addWidget(lvCriteria);
    v->addWidget(lVerdict);
    v->addWidget(lReasons);
    v->addLayout(form);
    v->addStretch(1);
    v->addLayout(buttons);

    ShowCheck(TInstallCheck());
}

void TCheckPanel::ShowCheck(const TInstallCheck& check) {
    for (const TCriterionResult& r : check.Results()) {
        const QString texts[colCount] = {CriterionName(r.Id), CriterionStateText(r.State), r.Value};
        for (int c = 0; c < colCount; ++c) {
            QTableWidgetItem* item = lvCriteria->item(r.Id, c);
            item->setText(texts[c]);
            item->setToolTip(texts[c]);
            item->setBackground(StateBrush(r.State));
        }
    }
    const TCheckVerdict verdict = check.Verdict();
    lVerdict->setText(VerdictText(verdict.Passed));
    QPalette pal = lVerdict->palette();
    pal.setColor(QPalette::WindowText,
                 verdict.Passed ? QColor(0x1a, 0x7f, 0x37) : QColor(0xc6, 0x28, 0x28));
    lVerdict->setPalette(pal);
    lReasons->setText(verdict.Reasons.join(QLatin1Char('\n')));
    lReasons->setVisible(!verdict.Reasons.isEmpty());
}

QString TCheckPanel::Plate() const {
    return ePlate->text().trimmed();
}

QString TCheckPanel::Vin() const {
    return eVin->text().trimmed().toUpper();
}

QString TCheckPanel::Installer() const {
    return eInstaller->text().trimmed();
}
