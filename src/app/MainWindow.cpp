#include "TfmMain.h"

#include "ExchangeLog.h"
#include "Forms.h"
#include "ParamFindBar.h"
#include "StatusBarPanels.h"
#include "TAboutBox.h"
#include "TfmSettings.h"
#include "link/ComPort.h"
#include "link/LinkSettings.h"
#include "link/LogFormat.h"
#include "link/LogPane.h"
#include "pages/ChangeMarks.h"
#include "profile/ProfileLoader.h"
#include "register/Register.h"
#include "register/TrackerRecorder.h"
#include "settings/InstallPaths.h"
#include "settings/Settings.h"
#include "app/TfmDeviceInfo.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeySequence>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSize>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr QSize kClientSize(844, 665);
constexpr int kLogGroupHeight = 216;
constexpr int kSplitterHandle = 3;
constexpr int kPortIdleCheckMs = 250;
constexpr char kPageSuffixDisabled[] = "(*)";
// The window's font, inherited by the log and every generated page; where
// Tahoma is missing the font system substitutes its nearest sans face.
constexpr char kWindowFontFamily[] = "Tahoma";
constexpr int kWindowFontPointSize = 8;

void SetupFileDialog(QFileDialog* dialog, bool save) {
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setNameFilters({TfmMain::tr("Файлы настроек (*.zxml)"), TfmMain::tr("Все файлы (*)")});
    dialog->setDefaultSuffix(QStringLiteral("zxml"));
    dialog->setSizeGripEnabled(true);
    if (save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
    }
}

// The client area holds pages, splitter, log and status bar; the menu bar
// lies above it, as a window menu does.
void SetClientSize(TfmMain* fm) {
    const int splitterHeight = kClientSize.height() - fm->StatusBar1->height();
    fm->Splitter1->setSizes({splitterHeight - kSplitterHandle - kLogGroupHeight, kLogGroupHeight});
    fm->resize(kClientSize.width(), kClientSize.height() + fm->menuBar()->sizeHint().height());
}

} // namespace

TfmMain::TfmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("fmMain"));
    setWindowTitle(QStringLiteral("Velmora"));
    setFont(QFont(QString::fromLatin1(kWindowFontFamily), kWindowFontPointSize));
    CreateFrame();
    CreateMenus();
    SetClientSize(this);

    // Window creation, in the order the later steps rely on.
    SetConnected(false);
    Link->InCommandMode = false;
    MeasureLayoutUnit();
    LoadCommandProfile(ProgramPaths().ProfilePath);
    BuildPages();
    CreateProgressBar();
    LoadSettings();
    ApplySettings();
    // Installed, the profile may be the operator's own or the shipped one.
    if (ProgramPaths().Installed)
        WriteLog(tr("Профиль команд загружен из %1")
                     .arg(QDir::toNativeSeparators(ProgramPaths().ProfilePath)),
                 lkGeneral);
    OpenDialog1->setDirectory(QDir::currentPath());
    SaveDialog1->setDirectory(QDir::currentPath());
}

TfmMain::~TfmMain() {
    // The link goes with the window; nothing may call back into it meanwhile.
    Link->SetHost(nullptr);
    Link->SetValues(nullptr);
    Link->ComPort1->Close();
}

void TfmMain::BuildPages() {
    Pages->H = H;
    Pages->W = W;
    Pages->BuildPages();
    Marks->Attach();
    FSavedMarks = Marks->Generation();
}

void TfmMain::CreateFrame() {
    Link = new TDeviceLink(this);
    Link->setObjectName(QStringLiteral("Link"));
    Link->SetHost(this);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Vertical, central);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(kSplitterHandle);
    Splitter1->setChildrenCollapsible(false);
    PageControl1 = new QTabWidget(Splitter1);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    Pages = new TParameterPages(PageControl1, this);
    Pages->OnLog = [this](const QString& text, LogKind kind) { WriteLog(text, kind); };
    Link->SetValues(Pages);
    Marks = new TChangeMarks(
        *Pages, PageControl1,
        {[this](const TCmdAddress& a) {
             return Pages->FindControl(a.Page, a.Command, a.Row, a.Param, crEditor);
         },
         [this](const TCmdAddress& a) {
             return Pages->FindControl(a.Page, a.Command, a.Row, a.Param, crSwitch);
         },
         [this](const TCmdAddress& a) {
             return Pages->FindControl(a.Page, a.Command, 0, 0, crGroup);
         }},
        this);
    connect(Pages, &TParameterPages::PollClicked, this, [this](QWidget* b) { CmdPollClick(b); });
    connect(Pages, &TParameterPages::ApplyClicked, this, [this](QWidget* b) { CmdApplyClick(b); });
    connect(Pages, &TParameterPages::ApplyAllIndexedClicked, this,
            [this](QWidget* b) { CmdApplyAllIndexedClick(b); });
    connect(Pages, &TParameterPages::PollPageClicked, this,
            [this](QWidget* b) { CmdPollAllClick(b); });
    connect(Pages, &TParameterPages::ApplyPageClicked, this,
            [this](QWidget* b) { CmdApplyAllClick(b); });
    LogGroupBox = new QGroupBox(tr("Протокол"), Splitter1);
    LogGroupBox->setObjectName(QStringLiteral("LogGroupBox"));
    auto* logLayout = new QVBoxLayout(LogGroupBox);
    logLayout->setContentsMargins(2, 2, 2, 2);
    LogLines = CreateLogPane(LogGroupBox);
    logLayout->addWidget(LogLines);
    LogMenu = new TLogPaneMenu(LogLines,
                               [this](const QString& message) { WriteLog(message, lkGeneral); });
    Splitter1->addWidget(PageControl1);
    Splitter1->addWidget(LogGroupBox);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    layout->addWidget(Splitter1);
    FindBar = new TParamFindBar(
        PageControl1,
        [this](const TParamMatch& match) -> QWidget* {
            if (match.Param >= 0)
                return Pages->FindControl(match.Page, match.Command, 0, match.Param, crEditor);
            // A command: its first editor, or its group when it has none.
            if (QWidget* editor = Pages->FindControl(match.Page, match.Command, 0, 0, crEditor))
                return editor;
            return Pages->FindControl(match.Page, match.Command, 0, 0, crGroup);
        },
        central);
    layout->addWidget(FindBar);
    setCentralWidget(central);

    StatusBar1 = new TStatusBarPanels(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(StatusBar1);

    OpenDialog1 = new QFileDialog(this);
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    SetupFileDialog(OpenDialog1, false);
    SaveDialog1 = new QFileDialog(this);
    SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
    SetupFileDialog(SaveDialog1, true);

    JvAppEvents1 = new QTimer(this);
    JvAppEvents1->setObjectName(QStringLiteral("JvAppEvents1"));
    JvAppEvents1->setInterval(kPortIdleCheckMs);
    connect(JvAppEvents1, &QTimer::timeout, this, [this] { Link->PortIdleCheck(); });
}

void TfmMain::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = bar->addMenu(tr("Файл"));
    actLoad =
        file->addAction(tr("Загрузить конфигурацию из файла"), this, [this] { Load1Click(); });
    actSave = file->addAction(tr("Сохранить конфигурацию в файл"), this, [this] { Save1Click(); });
    actCompareFile =
        file->addAction(tr("Сравнить с файлом..."), this, [this] { CompareFile1Click(); });
    actRegister = file->addAction(tr("Журнал трекеров..."), this, [this] { Register1Click(); });
    file->addSeparator();
    actExit = file->addAction(tr("Выход"), this, [this] { Exit1Click(); });

    QMenu* edit = bar->addMenu(tr("Правка"));
    actFind = edit->addAction(tr("Найти параметр..."), this, [this] { Find1Click(); });
    actFind->setShortcut(QKeySequence::Find);

    QMenu* link = bar->addMenu(tr("Связь"));
    actParameters =
        link->addAction(tr("Параметры связи с трекером..."), this, [this] { Parameters1Click(); });
    actConnect =
        link->addAction(tr("Установить связь с трекером"), this, [this] { Connect1Click(); });
    actStoreFlash = link->addAction(tr("Сохранить настройки в энергонезависимой памяти"), this,
                                    [this] { Storesettingsintoflash1Click(); });
    actCompareTracker =
        link->addAction(tr("Сравнить с трекером"), this, [this] { CompareTracker1Click(); });
    link->addSeparator();
    actDeviceState = link->addAction(tr("Состояние устройства"), this, [this] { N4Click(); });
    link->addSeparator();
    actLeaveCmd = link->addAction(tr("Выйти из командного режима"), this,
                                  [this] { Leavecommandmode1Click(); });

    actAbout = bar->addAction(tr("О программе"));
    connect(actAbout, &QAction::triggered, this, [this] { About1Click(); });

    actLoad->setObjectName(QStringLiteral("Load1"));
    actSave->setObjectName(QStringLiteral("Save1"));
    actExit->setObjectName(QStringLiteral("Exit1"));
    actFind->setObjectName(QStringLiteral("Find1"));
    actCompareFile->setObjectName(QStringLiteral("CompareFile1"));
    actRegister->setObjectName(QStringLiteral("Register1"));
    actCompareTracker->setObjectName(QStringLiteral("CompareTracker1"));
    actParameters->setObjectName(QStringLiteral("Parameters1"));
    actConnect->setObjectName(QStringLiteral("Connect1"));
    actStoreFlash->setObjectName(QStringLiteral("Storesettingsintoflash1"));
    actDeviceState->setObjectName(QStringLiteral("N4"));
    actLeaveCmd->setObjectName(QStringLiteral("Leavecommandmode1"));
    actAbout->setObjectName(QStringLiteral("About1"));
}

void TfmMain::MeasureLayoutUnit() {
    // The reference check box of the platform style sets the layout unit;
    // as a child it is measured in the window's font, as the pages are.
    QCheckBox TestCB(QStringLiteral("W"), this);
    TestCB.setObjectName(QStringLiteral("TestCB"));
    TestCB.ensurePolished();
    const QSize size = TestCB.sizeHint();
    H = qMax(1, size.height());
    W = H;
}

void TfmMain::CreateProgressBar() {
    ProgressBar1 = new QProgressBar(StatusBar1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setMinimum(0);
    ProgressBar1->setMaximum(100);
    ProgressBar1->setValue(0);
    ProgressBar1->setGeometry(StatusBar1->PanelWidth(0) + StatusBar1->PanelWidth(1) + 1, 0,
                              StatusBar1->PanelWidth(2) - 2, StatusBar1->ClientHeight());
    ProgressBar1->show();
}

void TfmMain::ApplySettings() {
    // Settings from the dialog start over on a closed port.
    if (Link->ComPort1->Connected())
        Link->ComPort1->Close();
    Link->ApplySettings(Settings.Link);

    // Disabling the shown tab makes Qt select another: keep the operator's page.
    const int current = PageControl1->currentIndex();
    const int pages = qMin(PageControl1->count(), int(DevCommands.size()));
    for (int i = 0; i < pages; ++i) {
        PageControl1->setTabEnabled(i, false);
        PageControl1->setTabText(i, DevCommands[i].PageName + QLatin1String(kPageSuffixDisabled));
    }
    for (int i = 0; i < pages; ++i) {
        if (Settings.EnabledPages.contains(DevCommands[i].PageId, Qt::CaseSensitive)) {
            PageControl1->setTabEnabled(i, true);
            PageControl1->setTabText(i, DevCommands[i].PageName);
        }
    }
    if (current >= 0)
        PageControl1->setCurrentIndex(current);

    if (Settings.PortPoll)
        JvAppEvents1->start();
    else
        JvAppEvents1->stop();
    OpenRegister();
}

void TfmMain::SetConnected(bool on) {
    if (Link->ComPort1->Connected() == on)
        return;
    if (on)
        Link->OpenPort();
    else
        Link->ComPort1->Close();
    Link->UpdateLinkStatus();
}

void TfmMain::SetStatusPanelText(int panel, const QString& text) {
    StatusBar1->SetPanelText(panel, text);
}

QString TfmMain::StatusPanelText(int panel) const {
    return StatusBar1->PanelText(panel);
}

void TfmMain::Exit1Click() {
    close();
}

void TfmMain::Parameters1Click() {
    if (fmSettings && fmSettings->exec() == QDialog::Accepted)
        ApplySettings();
}

void TfmMain::N4Click() {
    if (fmDeviceInfo)
        fmDeviceInfo->exec();
}

void TfmMain::Find1Click() {
    FindBar->Open();
}

void TfmMain::About1Click() {
    if (AboutBox)
        AboutBox->exec();
}

bool TfmMain::event(QEvent* e) {
    if (e->type() == QEvent::StatusTip) {
        // Hints go to panel 0 instead of over the whole bar.
        StatusBar1->SetPanelText(0, static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

void TfmMain::closeEvent(QCloseEvent* e) {
    if (!MayClose()) {
        e->ignore();
        return;
    }
    JvAppEvents1->stop();
    Link->ComPort1->Close();
    QMainWindow::closeEvent(e);
}
