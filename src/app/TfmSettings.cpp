#include "TfmSettings.h"

#include "ColorList.h"
#include "Forms.h"
#include "PortListBox.h"
#include "TfmMain.h"
#include "link/ComPort.h"
#include "profile/DevCommands.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <iterator>

namespace {

constexpr int kPasswordMaxLen = 10;
constexpr int kPageListMinHeight = 120;

// What a spin box takes and how far one step goes.
struct TSpinRange {
    int Min;
    int Max;
    int Step;
};
constexpr TSpinRange kTimeoutRange{50, 5000, 50};
constexpr TSpinRange kRetryRange{1, 100, 1};

const char* const kPortSpeeds[] = {"9600", "38400", "57600", "115200", "230400", "460800"};
// Replaced by the stored values before the dialog is seen.
const QString kPasswordPlaceholder = QStringLiteral("00");
const QString kDefaultDebugCommand = QStringLiteral("AT+SGDT=?");

QSpinBox* MakeSpin(QWidget* parent, const char* name, const TSpinRange& range) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(range.Min, range.Max);
    spin->setSingleStep(range.Step);
    spin->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    return spin;
}

// What the box holds as typed: not a number gives the minimum, a number
// outside the range the nearer bound.
int SpinValue(const QSpinBox* spin) {
    bool ok = false;
    const int v = spin->cleanText().toInt(&ok);
    if (!ok)
        return spin->minimum();
    return qBound(spin->minimum(), v, spin->maximum());
}

TColorList* MakeColorList(QWidget* parent, const char* name) {
    auto* list = new TColorList(parent);
    list->setObjectName(QLatin1String(name));
    return list;
}

QWidget* WithUnit(QWidget* parent, QWidget* field, const QString& unit) {
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(field, 1);
    row->addWidget(new QLabel(unit, box));
    return box;
}

} // namespace

TfmSettings::TfmSettings(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmSettings"));
    setWindowTitle(tr("Настройки программы"));
    BuildControls();
}

void TfmSettings::BuildControls() {
    // Connection and device settings on the left.
    cbComPortSelect = new QComboBox(this);
    cbComPortSelect->setObjectName(QStringLiteral("cbComPortSelect"));
    cbComPortSelect->setEditable(true);
    cbComPortSelect->setInsertPolicy(QComboBox::NoInsert);
    PortList = new TPortListBox(cbComPortSelect);

    cbPortSpeed = new QComboBox(this);
    cbPortSpeed->setObjectName(QStringLiteral("cbPortSpeed"));
    for (const char* speed : kPortSpeeds)
        cbPortSpeed->addItem(QLatin1String(speed));

    auto makePassword = [this](const char* name) {
        auto* edit = new QLineEdit(kPasswordPlaceholder, this);
        edit->setObjectName(QLatin1String(name));
        // No setMaxLength: it would cut a longer stored password on show and
        // lose it on OK. The key filter keeps typing to kPasswordMaxLen.
        // Keys are filtered; paste and drop would bypass the filter.
        edit->setContextMenuPolicy(Qt::NoContextMenu);
        edit->setAcceptDrops(false);
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
        edit->installEventFilter(this);
        return edit;
    };
    edtPassword = makePassword("edtPassword");
    edtMasterPassword = makePassword("edtMasterPassword");

    seTimeOut = MakeSpin(this, "seTimeOut", kTimeoutRange);
    seTimeoutInterval = MakeSpin(this, "seTimeoutInterval", kTimeoutRange);
    seTimeoutEcho = MakeSpin(this, "seTimeoutEcho", kTimeoutRange);
    seRetryCount = MakeSpin(this, "seRetryCount", kRetryRange);

    cbConnectMethod = new QComboBox(this);
    cbConnectMethod->setObjectName(QStringLiteral("cbConnectMethod"));
    cbConnectMethod->addItem(tr("Стандартный"));
    cbConnectMethod->addItem(tr("Быстрый"));

    cbLanguage = new QComboBox(this);
    cbLanguage->setObjectName(QStringLiteral("cbLanguage"));
    cbLanguage->addItem(tr("Русский"));
    cbLanguage->addItem(QStringLiteral("English"));

    cbEndOnPrompt = new QCheckBox(tr("Завершать приём по приглашению \">\""), this);
    cbEndOnPrompt->setObjectName(QStringLiteral("cbEndOnPrompt"));
    cbEndOnPrompt->setToolTip(tr("Ответ трекера считается полученным, как только пришло "
                                 "приглашение \">\", без ожидания межсимвольного таймаута"));
    cbEndOnPrompt->setStatusTip(cbEndOnPrompt->toolTip());

    cbPortPoll = new QCheckBox(tr("Контроль порта"), this);
    cbPortPoll->setObjectName(QStringLiteral("cbPortPoll"));

    auto* form = new QFormLayout;
    const QString ms = tr("мс");
    form->addRow(tr("COM-порт:"), cbComPortSelect);
    form->addRow(tr("Скорость порта"), cbPortSpeed);
    form->addRow(tr("Пароль связи"), edtPassword);
    form->addRow(tr("Мастер-пароль"), edtMasterPassword);
    form->addRow(tr("Таймаут общий"), WithUnit(this, seTimeOut, ms));
    form->addRow(tr("Таймаут межсимвольный"), WithUnit(this, seTimeoutInterval, ms));
    form->addRow(tr("Таймаут \"эхо\""), WithUnit(this, seTimeoutEcho, ms));
    form->addRow(cbEndOnPrompt);
    form->addRow(tr("Количество повторов команд"), seRetryCount);
    form->addRow(tr("Вход в командный режим"), cbConnectMethod);
    form->addRow(tr("Язык:"), cbLanguage);
    form->addRow(cbPortPoll);

    // Log colours and pages on the right.
    auto* gbColors = new QGroupBox(tr("Цвета протокола"), this);
    gbColors->setObjectName(QStringLiteral("gbColors"));
    clrbRead = MakeColorList(gbColors, "clrbRead");
    clrbWrite = MakeColorList(gbColors, "clrbWrite");
    clrbReadError = MakeColorList(gbColors, "clrbReadError");
    clrbWriteError = MakeColorList(gbColors, "clrbWriteError");
    clrbGeneralError = MakeColorList(gbColors, "clrbGeneralError");
    auto* colorForm = new QFormLayout(gbColors);
    colorForm->addRow(tr("Чтение"), clrbRead);
    colorForm->addRow(tr("Запись"), clrbWrite);
    colorForm->addRow(tr("Ошибка чтения"), clrbReadError);
    colorForm->addRow(tr("Ошибка записи"), clrbWriteError);
    colorForm->addRow(tr("Прочее"), clrbGeneralError);

    auto* gbPages = new QGroupBox(tr("Активные вкладки"), this);
    gbPages->setObjectName(QStringLiteral("gbPages"));
    clbPagesSelect = new QListWidget(gbPages);
    clbPagesSelect->setObjectName(QStringLiteral("clbPagesSelect"));
    clbPagesSelect->setMinimumHeight(kPageListMinHeight);
    auto* pagesBox = new QVBoxLayout(gbPages);
    pagesBox->addWidget(clbPagesSelect);

    auto* right = new QVBoxLayout;
    right->addWidget(gbColors);
    right->addWidget(gbPages, 1);

    // Debug send, shown only when the file asks for it.
    gbDebug = new QGroupBox(tr("Отладка-послать команду"), this);
    gbDebug->setObjectName(QStringLiteral("gbDebug"));
    edtCmdText = new QLineEdit(kDefaultDebugCommand, gbDebug);
    edtCmdText->setObjectName(QStringLiteral("edtCmdText"));
    btnSend = new QPushButton(tr("Послать команду"), gbDebug);
    btnSend->setObjectName(QStringLiteral("btnSend"));
    btnSend->setAutoDefault(false);
    auto* debugRow = new QHBoxLayout(gbDebug);
    debugRow->addWidget(edtCmdText, 1);
    debugRow->addWidget(btnSend);
    gbDebug->setVisible(false);

    ApplyBtn = new QPushButton(tr("Применить"), this);
    ApplyBtn->setObjectName(QStringLiteral("ApplyBtn"));
    ApplyBtn->setDefault(true);
    CancelBtn = new QPushButton(tr("Отмена"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ApplyBtn);
    buttons->addWidget(CancelBtn);

    auto* grid = new QGridLayout(this);
    grid->addLayout(form, 0, 0);
    grid->addLayout(right, 0, 1);
    grid->addWidget(gbDebug, 1, 0, 1, 2);
    grid->addLayout(buttons, 2, 0, 1, 2);
    // A fixed-size dialog that still follows the debug box's visibility.
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(ApplyBtn, &QPushButton::clicked, this, [this] { ApplyBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { reject(); });
    connect(btnSend, &QPushButton::clicked, this, [this] { btnSendClick(); });
}

void TfmSettings::showEvent(QShowEvent* event) {
    // Only a real show refills, not the window manager restoring the window.
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TfmSettings::FormShow() {
    FillPortList();
    FillPageList();
    FillFromSettings();
}

void TfmSettings::FillPortList() {
    // Without a port list to take, the previous items stay.
    PortList->Fill();
}

void TfmSettings::FillPageList() {
    clbPagesSelect->clear();
    for (const TCmdPage& page : DevCommands) {
        auto* item = new QListWidgetItem(page.PageName, clbPagesSelect);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void TfmSettings::FillFromSettings() {
    cbComPortSelect->setEditText(Settings.Link.Port);

    const int speed = cbPortSpeed->findText(QString::number(Settings.Link.Speed), Qt::MatchExactly);
    cbPortSpeed->setCurrentIndex(speed < 0 ? 0 : speed);

    // The spin boxes bring a stored value to the nearer bound themselves.
    seTimeOut->setValue(Settings.Link.Timeout);
    seTimeoutInterval->setValue(Settings.Link.TimeoutInterval);
    seTimeoutEcho->setValue(Settings.Link.TimeoutEcho);
    cbEndOnPrompt->setChecked(Settings.Link.EndOnPrompt);

    // Shown as stored, even with characters the keyboard filter refuses.
    edtPassword->setText(Settings.Link.Password);
    edtMasterPassword->setText(Settings.Link.MasterPassword);

    for (int i = 0; i < clbPagesSelect->count(); ++i)
        clbPagesSelect->item(i)->setCheckState(Qt::Unchecked);
    for (const QString& id : Settings.EnabledPages) {
        for (int i = 0; i < DevCommands.size() && i < clbPagesSelect->count(); ++i) {
            if (DevCommands.at(i).PageId == id)
                clbPagesSelect->item(i)->setCheckState(Qt::Checked);
        }
    }

    clrbRead->SetSelected(Settings.ReadColorText);
    clrbWrite->SetSelected(Settings.WriteColorText);
    clrbReadError->SetSelected(Settings.ReadErrorColorText);
    clrbWriteError->SetSelected(Settings.WriteErrorColorText);
    clrbGeneralError->SetSelected(Settings.GeneralErrorColorText);
    seRetryCount->setValue(Settings.Link.RetryCount);
    cbConnectMethod->setCurrentIndex(
        qBound(0, Settings.Link.ConnectMethod, cbConnectMethod->count() - 1));

    gbDebug->setVisible(Settings.Debug);

    cbLanguage->setCurrentIndex(0);
    for (int i = 0; i < cbLanguage->count() && i < int(std::size(LanguageLocales)); ++i) {
        if (LanguageLocales[i] == Settings.Language) {
            cbLanguage->setCurrentIndex(i);
            break;
        }
    }
    FShownLanguage = cbLanguage->currentIndex();

    cbPortPoll->setChecked(Settings.PortPoll);
}

void TfmSettings::ApplyBtnClick() {
    TSettings& s = Settings;
    s.Link.Port = cbComPortSelect->currentText();
    s.Link.Speed = cbPortSpeed->currentText().toInt();
    s.Link.Timeout = SpinValue(seTimeOut);
    s.Link.TimeoutInterval = SpinValue(seTimeoutInterval);
    s.Link.TimeoutEcho = SpinValue(seTimeoutEcho);
    s.Link.EndOnPrompt = cbEndOnPrompt->isChecked();

    s.Link.Password = edtPassword->text();
    s.Link.MasterPassword = edtMasterPassword->text();

    s.EnabledPages.clear();
    for (int i = 0; i < DevCommands.size() && i < clbPagesSelect->count(); ++i) {
        if (clbPagesSelect->item(i)->checkState() == Qt::Checked)
            s.EnabledPages.append(DevCommands.at(i).PageId);
    }

    s.ReadColorText = clrbRead->Selected();
    s.WriteColorText = clrbWrite->Selected();
    s.ReadErrorColorText = clrbReadError->Selected();
    s.WriteErrorColorText = clrbWriteError->Selected();
    s.GeneralErrorColorText = clrbGeneralError->Selected();
    s.Link.RetryCount = SpinValue(seRetryCount);
    s.Link.ConnectMethod = qMax(0, cbConnectMethod->currentIndex());
    const int language = cbLanguage->currentIndex();
    if (language != FShownLanguage)
        s.Language =
            LanguageLocales[language >= 0 && language < int(std::size(LanguageLocales)) ? language
                                                                                        : 0];
    s.PortPoll = cbPortPoll->isChecked();

    QString message;
    if (!SaveSettings(&message))
        QMessageBox::critical(this, QApplication::applicationDisplayName(), message);
    // The new values hold for this run even when the file could not take them.
    accept();
}

void TfmSettings::reject() {
    // Every way out without OK discards the edits.
    FillFromSettings();
    QDialog::reject();
}

void TfmSettings::btnSendClick() {
    if (fmMain)
        fmMain->Link->ExchangeCommand(edtCmdText->text(), QString(), true, false, true);
}

bool TfmSettings::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edtPassword || watched == edtMasterPassword) {
        if (PasswordKeyPress(static_cast<QLineEdit*>(watched), event))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

// True when the event must be swallowed: only digits, backspace and
// carriage return may type into a password, and a digit only while there is
// room for it.
bool TfmSettings::PasswordKeyPress(QLineEdit* edit, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste))
            return true;
        // Shortcuts (select all, copy, undo) edit nothing in.
        if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
            return false;
        const QString text = key->text();
        if (text.isEmpty())
            return false; // navigation, Delete, Tab focus and the like
        const QChar c = text.at(0);
        if (c == QLatin1Char('\b') || c == QLatin1Char('\r'))
            return false;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9') && text.size() == 1)
            return edit->text().size() - edit->selectedText().size() >= kPasswordMaxLen;
        return c.isPrint() || text.size() > 1;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonPress:
        // The X11 selection paste.
        return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton;
    default:
        return false;
    }
}
