#pragma once

#include "link/LogKind.h"
#include "profile/DevCommands.h"

#include <QMainWindow>
#include <QPointer>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

class QAction;
class QCheckBox;
class QFileDialog;
class QGroupBox;
class QLineEdit;
class QMenu;
class QProgressBar;
class QSplitter;
class QTabWidget;
class QPlainTextEdit;
class QTimer;
class QWidget;
class TComPort;
class TLogPaneMenu;
class TParamFindBar;
class TStatusBarPanels;
class THexEdit;

enum ControlRole : int { crSwitch = 0, crEditor = 1, crButton = 2, crGroup = 3 };

struct TExchangeResult {
    QString answer;
    bool failed = false;
    // The operator declined to go on: Cancel in the retry box or in the
    // reconnect dialog. Retrying callers stop here.
    bool cancelled = false;
};

// The main window. Its handlers are split over the files of their concern:
// app/MainWindow.cpp (frame, menus, settings), link/ExchangeLog.cpp (log),
// pages/*.cpp (generated pages and editor rules), link/*.cpp (command mode,
// transactions, poll and apply), config/*.cpp (configuration files).
class TfmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfmMain(QWidget* parent = nullptr);
    ~TfmMain() override;

    // --- frame (app/MainWindow.cpp) ---
    QTabWidget* PageControl1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QGroupBox* LogGroupBox = nullptr;
    QPlainTextEdit* LogLines = nullptr; // coloured lines, capped
    TLogPaneMenu* LogMenu = nullptr;    // its context menu: save, clear
    TParamFindBar* FindBar = nullptr;   // Ctrl+F: find a parameter
    TStatusBarPanels* StatusBar1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QFileDialog* OpenDialog1 = nullptr;
    QFileDialog* SaveDialog1 = nullptr;
    TComPort* ComPort1 = nullptr;
    QTimer* JvAppEvents1 = nullptr; // idle trigger of the port watch

    QAction* actLoad = nullptr;
    QAction* actSave = nullptr;
    QAction* actExit = nullptr;
    QAction* actFind = nullptr;
    QAction* actParameters = nullptr;
    QAction* actConnect = nullptr;
    QAction* actStoreFlash = nullptr;
    QAction* actDeviceState = nullptr;
    QAction* actLeaveCmd = nullptr;
    QAction* actAbout = nullptr;

    bool InCommandMode = false;
    int H = 17; // layout unit: height and width of the platform's check box
    int W = 17;
    QRegularExpression RegExpr; // the one matcher for every mask check

    void ApplySettings();
    void SetConnected(bool on);
    void SetStatusPanelText(int panel, const QString& text);
    QString StatusPanelText(int panel) const;

    void Load1Click();
    void Save1Click();
    void Exit1Click();
    void Parameters1Click();
    void Connect1Click();
    void Storesettingsintoflash1Click();
    void N4Click();
    void Leavecommandmode1Click();
    void About1Click();
    void Find1Click();

    // --- exchange log (link/ExchangeLog.cpp) ---
    void WriteLog(const QString& text, int kind);

    // --- generated pages (pages/PageBuilder.cpp, pages/ControlLookup.cpp) ---
    void BuildPages();
    TCmdAddress ControlAddress(const QObject* control) const;
    QWidget* FindControl(int page, int command, int row, int param, ControlRole role) const;
    void SetCommandEnabled(QGroupBox* group, bool enabled);
    // The widget holding a page's group boxes and page buttons (inside the
    // page's scroll area); nullptr for a page that does not exist.
    QWidget* PageScrollBox(int page) const;

    // --- editor rules (pages/EditorRules.cpp) ---
    void CheckBoxClick(QCheckBox* box);
    void EditChange(QLineEdit* edit);
    bool EditExit(QLineEdit* edit);   // false: the focus stays
    bool HexEditKeyPress(QChar& key); // false: the key is dropped
    bool HexEditExit(THexEdit* edit); // false: the focus stays
    // Search semantics; an invalid mask counts as matching (logged once).
    bool MaskMatches(const QString& mask, const QString& text);

    // --- command mode and link state (link/CommandMode.cpp) ---
    bool OpenPort();
    bool EnterCommandMode();
    void LeaveCommandMode();
    // Writes the profile's command of that name (row 0); false when the profile has none.
    bool ApplyProfileCommand(const QString& name);
    bool WaitForPort();
    void UpdateLinkStatus();
    void PortIdleCheck();

    // --- transactions (link/Transactions.cpp, link/PollProcessors.cpp) ---
    TExchangeResult ExchangeCommand(const QString& command, const QString& logText, bool quiet,
                                    bool noWait, bool addCR);
    bool PollCommand(const TCmdAddress& address);
    bool ApplyCommand(const TCmdAddress& address);
    void RunPollProcessor(const TCmdAddress& address, const QString& answer);
    void DefaultProcessor(int page, int command, int row, int param, const QString& answer);
    void NonPollProcessor(int page, int command, int row, int param, const QString& answer);
    void ExitCmdProcessor(int page, int command, int row, int param, const QString& answer);
    void RegisterProcessors();
    bool InExchange() const { return FExchangeDepth > 0; }

    // --- poll and apply (link/PollApply.cpp) ---
    void CmdPollClick(QWidget* button);
    void CmdPollAllClick(QWidget* button);
    void CmdApplyClick(QWidget* button);
    void CmdApplyAllIndexedClick(QWidget* button);
    void CmdApplyAllClick(QWidget* button);
    QString BuildParameterList(int page, int command, int row) const;

    // --- configuration files (config/ConfigSave.cpp, config/ConfigLoad.cpp) ---
    void SaveConfiguration(const QString& fileName);
    void LoadConfiguration(const QString& fileName);

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void CreateFrame();
    void CreateMenus();
    void MeasureLayoutUnit();
    void CreateProgressBar();

    // --- transactions and command mode (link/*.cpp) ---
    bool RunWithRetries(const TCmdAddress& address, const QString& request, const QString& logText);
    void ProcessAnswer(int page, int command, const QString& answer, bool readValues);
    // While one row of an indexed command is written, the answer (which
    // carries every row) may refresh that row only: the rows still to be
    // written keep what the operator put there.
    int FAnswerRowOnly = -1;
    void ShowDeviceError(const QString& text);

    // --- generated pages (pages/*.cpp) ---
    void InstallExitRule(QLineEdit* edit);
    QObject* FExitFilter = nullptr;   // runs the leave rules on focus-out
    QPointer<QLineEdit> FFocusReturn; // editor the focus is being given back to
    QStringList FInvalidMasks;        // masks already reported as invalid
    friend class TEditorExitFilter;

    int FExchangeDepth = 0;
    bool FInvalidMaskLogged = false;
    friend class TExchangeGuard;
};

extern bool AnswerReceived;
