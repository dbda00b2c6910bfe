#include "TfmDeviceInfo.h"

#include "base/LogKind.h"
#include "check/CheckPanel.h"
#include "link/ComDataPacket.h"
#include "link/ComPort.h"
#include "link/DeviceLink.h"
#include "report/CheckPlots.h"
#include "report/CheckReport.h"
#include "status/SignalIndicator.h"
#include "status/StatusFieldNames.h"
#include "status/StatusSession.h"
#include "status/WindowFit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kLeaveRemoteMode = QStringLiteral("!");
constexpr int kMapIconSize = 16;
// Title bar and borders the window manager adds around the dialog.
constexpr QSize kWindowFrameAllowance(16, 40);
// A field takes a typical long value whole: a server with its port, an
// access point with its login and password.
const QString kTypicalLongValue = QStringLiteral("gps.example.net:20211");
constexpr int kFieldTextPadding = 14;

int StatusFieldWidth(const QFontMetrics& metrics) {
    return qMax(kMinStatusFieldWidth,
                metrics.horizontalAdvance(kTypicalLongValue) + kFieldTextPadding);
}

// A map pin, drawn so the button needs no image file.
QIcon MapPinIcon() {
    QPixmap pm(kMapIconSize, kMapIconSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath pin;
    pin.moveTo(8, 15);
    pin.cubicTo(3, 9, 2, 7, 2, 6);
    pin.arcTo(2, 0, 12, 12, 180, -180);
    pin.cubicTo(14, 7, 13, 9, 8, 15);
    p.setPen(QPen(QColor(120, 0, 0), 1));
    p.setBrush(QColor(220, 30, 30));
    p.drawPath(pin);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 6), 2.2, 2.2);
    return QIcon(pm);
}

} // namespace

TfmDeviceInfo::TfmDeviceInfo(TDeviceLink* link, QWidget* parent) : QDialog(parent), FLink(link) {
    setObjectName(QStringLiteral("fmDeviceInfo"));
    setWindowTitle(tr("Состояние устройства"));
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) &
                   ~Qt::WindowContextHelpButtonHint);
    FTexts = LoadStatusTexts();

    // The plots and the check share a page beside the fields: all side by
    // side would not fit a 1366 x 768 screen.
    tcPages = new QTabWidget;
    tcPages->setObjectName(QStringLiteral("tcPages"));
    tcPages->addTab(BuildGroups(), tr("Состояние"));
    auto* checkPage = new QWidget;
    auto* checkLayout = new QHBoxLayout(checkPage);
    pPlots = new TCheckPlots;
    pCheck = new TCheckPanel;
    pCheck->setFixedWidth(kCheckPanelWidth);
    checkLayout->addWidget(pPlots, 1);
    checkLayout->addWidget(pCheck);
    tcPages->addTab(checkPage, tr("Графики"));
    connect(pCheck, &TCheckPanel::RestartRequested, this, [this] { RestartCheck(); });
    connect(pCheck, &TCheckPanel::SaveReportRequested, this, [this] { btnSaveReportClick(); });
    FPlotTimer = new QTimer(this);
    FPlotTimer->setSingleShot(true);
    FPlotTimer->setInterval(kPlotRefreshMs);
    connect(FPlotTimer, &QTimer::timeout, this, [this] { pPlots->ShowHistory(FRecord.History()); });

    bgRC = new QWidget(this);
    bgRC->setObjectName(QStringLiteral("bgRC"));
    FRemoteLayout = new QHBoxLayout(bgRC);
    FRemoteLayout->setContentsMargins(0, 0, 0, 0);
    bgRC->hide();

    btnStart = new QPushButton(tr("Начать обмен"), this);
    btnStart->setObjectName(QStringLiteral("btnStart"));
    btnStop = new QPushButton(tr("Остановить"), this);
    btnStop->setObjectName(QStringLiteral("btnStop"));
    btnStop->setEnabled(false);
    btnClose = new QPushButton(tr("Закрыть"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    for (QPushButton* b : {btnStart, btnStop, btnClose})
        b->setAutoDefault(false);
    connect(btnStart, &QPushButton::clicked, this, [this] { btnStartClick(); });
    connect(btnStop, &QPushButton::clicked, this, [this] { btnStopClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { accept(); });

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnStart);
    buttons->addWidget(btnStop);
    buttons->addWidget(btnClose);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(bgRC, 0, Qt::AlignBottom);
    bottom->addStretch(1);
    bottom->addLayout(buttons);

    // The groups scroll when the screen is smaller than they are; the
    // buttons below them stay in reach.
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("StatusContent"));
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->addWidget(tcPages);
    FScroll = new QScrollArea(this);
    FScroll->setObjectName(QStringLiteral("StatusScroll"));
    FScroll->setFrameShape(QFrame::NoFrame);
    FScroll->setWidgetResizable(true);
    FScroll->setWidget(content);

    FRoot = new QVBoxLayout(this);
    FRoot->addWidget(FScroll, 1);
    FRoot->addLayout(bottom);
    FBottom = bottom;

    if (FLink)
        ShowConnectionState(FLink->ComPort1->Port(),
                            QString::number(FLink->ComPort1->CustomBaudRate()),
                            FLink->ComPort1->Connected(), FLink->InCommandMode);
    SetOverflowWarning(false);

    FSession = std::make_unique<TStatusSession>(FLink, TStatusSession::srPortEvents);
    FSession->OnReport = [this](const TStatusChange& change, const TStatusFields& fields) {
        ShowReport(change, fields);
    };
    FSession->OnReportLine = [this](const QString& line) { TakeCheckLine(line); };
    ComDataPacket1 = FSession->Framer();
}

TfmDeviceInfo::~TfmDeviceInfo() = default;

const TStatusFields& TfmDeviceInfo::StatusFields() const {
    return FSession->Fields();
}

void TfmDeviceInfo::setVisible(bool visible) {
    // Sized before the dialog places itself, so it is placed on the screen.
    if (visible)
        FitToScreen();
    QDialog::setVisible(visible);
}

void TfmDeviceInfo::FitToScreen() {
    const QWidget* anchor = parentWidget() ? parentWidget() : this;
    const QScreen* screen = anchor->screen();
    if (!screen)
        return;
    const QMargins m = FRoot->contentsMargins();
    const QSize content = FScroll->widget()->sizeHint();
    const QSize bottom = FBottom->sizeHint();
    const QSize wanted(qMax(content.width(), bottom.width()) + m.left() + m.right(),
                       content.height() + FRoot->spacing() + bottom.height() + m.top() +
                           m.bottom());
    const QSize room = screen->availableGeometry().size() -
                       QSize(kWindowFrameAllowance.width(), kWindowFrameAllowance.height());
    setFixedSize(FitWindowSize(wanted, room,
                               style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this)));
}

QGroupBox* TfmDeviceInfo::NewGroup(const QString& caption, QGridLayout*& grid) {
    auto* g = new QGroupBox(caption);
    grid = new QGridLayout(g);
    grid->setVerticalSpacing(2);
    return g;
}

QLineEdit* TfmDeviceInfo::AddField(QGridLayout* grid, int row, const char* name) {
    auto* e = new QLineEdit;
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    e->setFixedWidth(StatusFieldWidth(e->fontMetrics()));
    // A value longer than the field is still there to read in full.
    connect(e, &QLineEdit::textChanged, e, [e](const QString& text) { e->setToolTip(text); });
    auto* l = new QLabel(StatusFieldCaption(QString::fromLatin1(name)));
    l->setBuddy(e);
    grid->addWidget(l, row, 0);
    grid->addWidget(e, row, 1);
    FFields.insert(e->objectName(), e);
    return e;
}

QWidget* TfmDeviceInfo::BuildGroups() {
    auto* groups = new QWidget;
    groups->setObjectName(QStringLiteral("StatusGroups"));
    auto* columns = new QHBoxLayout(groups);
    columns->setContentsMargins(0, 0, 0, 0);
    QVBoxLayout* column[scRight + 1] = {};
    for (int c = scLeft; c <= scRight; ++c) {
        QWidget* w = nullptr;
        if (c == scSensors) {
            w = new QGroupBox(StatusSensorsCaption());
            column[c] = new QVBoxLayout(w);
        } else {
            w = new QWidget;
            column[c] = new QVBoxLayout(w);
            column[c]->setContentsMargins(0, 0, 0, 0);
        }
        columns->addWidget(w, 0, Qt::AlignTop);
    }
    for (const TStatusGroup& group : StatusGroups()) {
        QGridLayout* g = nullptr;
        QGroupBox* box = NewGroup(StatusGroupCaption(group), g);
        for (int row = 0; row < group.Rows.size(); ++row)
            AddRow(g, row, group.Rows.at(row).Control);
        column[group.Column]->addWidget(box);
    }
    return groups;
}

void TfmDeviceInfo::AddRow(QGridLayout* g, int row, const char* name) {
    const QLatin1String control(name);
    if (control == QLatin1String(kDiscreteStatesRow)) {
        AddDiscreteStates(g, row);
        return;
    }
    if (control == QLatin1String(kOverflowWarningRow)) {
        lMemoryOverflow = new QLabel(StatusOverflowWarning());
        lMemoryOverflow->setObjectName(QStringLiteral("lMemoryOverflow"));
        lMemoryOverflow->setWordWrap(true);
        g->addWidget(lMemoryOverflow, row, 0, 1, 2);
        return;
    }
    QLineEdit* e = AddField(g, row, name);
    if (control == QLatin1String("eGSMStrength")) {
        // The level field is narrow and shares its row with the indicator.
        g->removeWidget(e);
        e->setFixedWidth(kSignalFieldWidth);
        pGSMStr = new TSignalIndicator;
        auto* signalRow = new QHBoxLayout;
        signalRow->setContentsMargins(0, 0, 0, 0);
        signalRow->addWidget(e);
        signalRow->addWidget(pGSMStr);
        signalRow->addStretch(1);
        g->addLayout(signalRow, row, 1);
    } else if (control == QLatin1String("eLat")) {
        // Beside the latitude and the longitude below it.
        btnGoMap = new QToolButton;
        btnGoMap->setObjectName(QStringLiteral("btnGoMap"));
        btnGoMap->setIcon(MapPinIcon());
        btnGoMap->setToolTip(tr("Показать на карте"));
        btnGoMap->setStatusTip(btnGoMap->toolTip());
        btnGoMap->setAutoRaise(true);
        connect(btnGoMap, &QToolButton::clicked, this, [this] { btnGoMapClick(); });
        g->addWidget(btnGoMap, row, 2, 2, 1, Qt::AlignCenter);
    }
}

void TfmDeviceInfo::AddDiscreteStates(QGridLayout* g, int row) {
    auto* states = new QGridLayout;
    states->setContentsMargins(0, 0, 0, 0);
    states->setVerticalSpacing(0);
    QCheckBox** boxes[3] = {&cDState1, &cDState2, &cDState3};
    for (int i = 0; i < 3; ++i) {
        auto* box = new QCheckBox;
        box->setObjectName(QStringLiteral("cDState%1").arg(i + 1));
        box->setEnabled(false);
        *boxes[i] = box;
        states->addWidget(box, 0, i, Qt::AlignHCenter);
        states->addWidget(new QLabel(QString::number(i + 1)), 1, i, Qt::AlignHCenter);
    }
    states->setColumnStretch(3, 1);
    g->addWidget(new QLabel(StatusDiscreteStateCaption()), row, 0);
    g->addLayout(states, row, 1);
}

void TfmDeviceInfo::SetOverflowWarning(bool shown) {
    FOverflowShown = shown;
    QPalette pal = lMemoryOverflow->palette();
    pal.setColor(QPalette::WindowText, shown ? QColor(Qt::red) : palette().color(QPalette::Window));
    lMemoryOverflow->setPalette(pal);
}

void TfmDeviceInfo::ShowConnectionState(const QString& portName, const QString& speed,
                                        bool portOpen, bool inCommandMode) {
    Field(QStringLiteral("ePortName"))->setText(portName);
    Field(QStringLiteral("ePortRate"))->setText(speed);
    Field(QStringLiteral("ePortConn"))->setText(FTexts.Activity(portOpen));
    Field(QStringLiteral("eCmdMode"))->setText(FTexts.Activity(inCommandMode));
}

void TfmDeviceInfo::LoadRemoteButtons() {
    RemoteButtons = FRemoteSource ? FRemoteSource() : QStringList();
    bgRC->setVisible(!RemoteButtons.isEmpty());
    while (QLayoutItem* item = FRemoteLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (int i = 0; i < RemoteButtons.size(); ++i) {
        const QString& line = RemoteButtons.at(i);
        auto* b = new QPushButton(line.section(QLatin1Char('='), 0, 0), bgRC);
        b->setObjectName(QStringLiteral("btnRC%1").arg(i));
        b->setFixedWidth(kRemoteButtonWidth);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] { RemoteButtonClick(i); });
        FRemoteLayout->addWidget(b);
    }
}

void TfmDeviceInfo::StartStreaming() {
    if (Streaming || !FLink)
        return;
    if (!FLink->InCommandMode && !FLink->EnterCommandMode())
        return;
    Streaming = true;
    btnStart->setEnabled(false);
    btnStop->setEnabled(true);
    FSession->Start();
}

void TfmDeviceInfo::StopStreaming() {
    Streaming = false;
    btnStart->setEnabled(true);
    btnStop->setEnabled(false);
    FSession->Stop();
}

void TfmDeviceInfo::ComDataPacket1Packet(const QString& line) {
    FSession->TakeLine(line);
}

void TfmDeviceInfo::ParseStatusReport(const QString& line) {
    FSession->TakeReport(line);
}

void TfmDeviceInfo::ShowReport(const TStatusChange& change, const TStatusFields& fields) {
    for (const QString& name : change.Controls) {
        if (QLineEdit* e = Field(name)) {
            e->setText(fields.Text(name));
            e->setCursorPosition(0); // show the start of a long text
        }
    }
    if (change.States) {
        cDState1->setChecked(fields.DState[0]);
        cDState2->setChecked(fields.DState[1]);
        cDState3->setChecked(fields.DState[2]);
    }
    if (change.Overflow)
        SetOverflowWarning(fields.MemoryOverflow);
    if (change.Signal)
        pGSMStr->SetLevelText(Field(QStringLiteral("eGSMStrength"))->text());
}

void TfmDeviceInfo::btnStartClick() {
    if (!Streaming)
        StartStreaming();
}

void TfmDeviceInfo::btnStopClick() {
    StopStreaming();
}

void TfmDeviceInfo::RemoteButtonClick(int index) {
    if (index < 0 || index >= RemoteButtons.size() || !FLink)
        return;
    const QString& line = RemoteButtons.at(index);
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    const QString value = eq < 0 ? QString() : line.mid(eq + 1);
    if (value.isEmpty())
        return;
    FLink->ExchangeCommand(value, value, true, true, false);
}

QString TfmDeviceInfo::MapAddress() const {
    return MapSearchAddress(Field(QStringLiteral("eLat"))->text(),
                            Field(QStringLiteral("eLon"))->text());
}

QUrl TfmDeviceInfo::MapUrl() const {
    return MapSearchUrl(Field(QStringLiteral("eLat"))->text(),
                        Field(QStringLiteral("eLon"))->text());
}

void TfmDeviceInfo::TakeCheckLine(const QString& line) {
    FRecord.Add(line, QDateTime::currentMSecsSinceEpoch());
    pCheck->ShowCheck(FRecord.Check());
    // Reports come several a second; the plots follow at their own pace.
    if (!FPlotTimer->isActive())
        FPlotTimer->start();
}

void TfmDeviceInfo::ShowCheck() {
    FPlotTimer->stop();
    pCheck->ShowCheck(FRecord.Check());
    pPlots->ShowHistory(FRecord.History());
}

void TfmDeviceInfo::RestartCheck() {
    FRecord.Check().Restart();
    ShowCheck();
}

bool TfmDeviceInfo::SaveReport(const QString& path, QString* error) {
    TCheckReportData data = CheckReportData(FRecord.Check(), FRecord.History());
    data.Plate = pCheck->Plate();
    data.Vin = pCheck->Vin();
    data.Installer = pCheck->Installer();
    if (!WriteCheckReport(path, data, error))
        return false;
    if (FLink)
        FLink->WriteLog(tr("Отчёт о проверке сохранён: %1").arg(QDir::toNativeSeparators(path)),
                        lkGeneral);
    return true;
}

void TfmDeviceInfo::btnSaveReportClick() {
    const QString imei = FRecord.Check().Identity().Imei;
    const QString name =
        QStringLiteral("check-%1-%2.pdf")
            .arg(imei.isEmpty() ? QStringLiteral("unit") : imei,
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmm")));
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Сохранить отчёт"), QDir::home().filePath(name), tr("Документ PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!SaveReport(path, &error))
        QMessageBox::warning(this, windowTitle(), error);
}

void TfmDeviceInfo::btnGoMapClick() {
    QDesktopServices::openUrl(MapUrl());
}

bool TfmDeviceInfo::event(QEvent* e) {
    if (e->type() == kDeferredStartEvent) {
        // The window may have been closed before the request came round.
        if (isVisible())
            StartStreaming();
        return true;
    }
    return QDialog::event(e);
}

void TfmDeviceInfo::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    Streaming = false;
    btnStart->setEnabled(true);
    btnStop->setEnabled(false);
    if (FLink)
        FLink->UpdateLinkStatus();
    LoadRemoteButtons();
    // Another showing may be another unit: its check starts from nothing.
    FRecord.Reset(FCheckSource ? FCheckSource() : TCheckSettings());
    ShowCheck();
    QCoreApplication::postEvent(this, new QEvent(kDeferredStartEvent));
}

void TfmDeviceInfo::done(int result) {
    if (isVisible()) {
        StopStreaming();
        if (!bgRC->isHidden() && FLink)
            FLink->ExchangeCommand(kLeaveRemoteMode, kLeaveRemoteMode, true, true, true);
    }
    QDialog::done(result);
}

void TfmDeviceInfo::reject() {
    if (btnStop->isEnabled())
        btnStop->click();
}

void TfmDeviceInfo::closeEvent(QCloseEvent* e) {
    if (isVisible())
        done(QDialog::Rejected);
    e->accept();
}
