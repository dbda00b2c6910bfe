#pragma once

#include "base/LogKind.h"
#include "config/ValueDiff.h"
#include "link/DeviceLink.h"
#include "link/LinkHost.h"
#include "pages/ParameterPages.h"
#include "profile/DevCommands.h"

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

class QAction;
class QFileDialog;
class QGroupBox;
class QProgressBar;
class QSplitter;
class QTabWidget;
class QPlainTextEdit;
class QTimer;
class QWidget;
class TChangeMarks;
class TLogPaneMenu;
class TfmCompare;
class TParamFindBar;
class TStatusBarPanels;
class TRegister;
class TTrackerRecorder;
class TTouchRecorder;
class TfmRegister;
struct TWriteResult;

// The main window: the frame, menus and log, and the host that wires the
// device link, the parameter pages and the dialogs together. Its handlers
// live in app/: MainWindow.cpp (frame, menus, settings), ExchangeLog.cpp
// (log), LinkHostWindow.cpp (what the link asks of the window),
// PageHandlers.cpp (page buttons, link menu), ConfigMenu.cpp (files),
// RegisterMenu.cpp (the tracker register: recording and its window).
class TfmMain : public QMainWindow, public TLinkHost {
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
    QTimer* JvAppEvents1 = nullptr; // idle trigger of the port watch

    TDeviceLink* Link = nullptr;       // the tracker on the configured port
    TParameterPages* Pages = nullptr;  // the generated pages in PageControl1
    TChangeMarks* Marks = nullptr;     // values changed since read, load or write
    TfmCompare* fmCompare = nullptr;   // differences with a file or the tracker
    TfmRegister* fmRegister = nullptr; // the tracker register, made on first use

    QAction* actLoad = nullptr;
    QAction* actSave = nullptr;
    QAction* actCompareFile = nullptr;
    QAction* actRegister = nullptr;
    QAction* actExit = nullptr;
    QAction* actFind = nullptr;
    QAction* actParameters = nullptr;
    QAction* actConnect = nullptr;
    QAction* actStoreFlash = nullptr;
    QAction* actCompareTracker = nullptr;
    QAction* actDeviceState = nullptr;
    QAction* actLeaveCmd = nullptr;
    QAction* actAbout = nullptr;

    int H = 17; // layout unit: height and width of the platform's check box
    int W = 17;

    void ApplySettings();
    void SetConnected(bool on);
    void SetStatusPanelText(int panel, const QString& text);
    QString StatusPanelText(int panel) const;
    void BuildPages();

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

    // --- exchange log (app/ExchangeLog.cpp) ---
    void WriteLog(const QString& text, int kind);

    // --- page buttons (app/PageHandlers.cpp) ---
    void CmdPollClick(QWidget* button);
    void CmdPollAllClick(QWidget* button);
    void CmdApplyClick(QWidget* button);
    void CmdApplyAllIndexedClick(QWidget* button);
    void CmdApplyAllClick(QWidget* button);

    // --- configuration files (app/ConfigMenu.cpp) ---
    void SaveConfiguration(const QString& fileName);
    void LoadConfiguration(const QString& fileName);

    // --- change marks and comparison (app/CompareMenu.cpp) ---
    void CompareFile1Click();
    void CompareTracker1Click();
    void CompareWithFile(const QString& fileName);
    void CompareWithTracker();
    // Writes the values of these rows of a comparison to the tracker (the
    // rest of their command rows as tracker holds them: as just read, or
    // read first) and shows what it answered for them.
    void WriteSelected(const QVector<TValueDiffRow>& rows, const TParamValues* tracker);
    // Runs a link operation on the pages: what it reads, or writes and the
    // tracker confirms, becomes the reference of its marks (a write's rows
    // with their switches). done sees what the operation reached.
    void RunMarked(const std::function<void()>& operation, bool writes,
                   const std::function<void(const TTouchRecorder&)>& done = {});
    // Closing asks first while values are marked and not saved since.
    bool MayClose();

    // --- the tracker register (app/RegisterMenu.cpp) ---
    // Opens the register [Register] Database= names (the program's own file
    // when empty); recording stays off with a log line when it is not valid.
    void OpenRegister();
    TRegister* Register() const { return FRegister.get(); }
    TTrackerRecorder* Recorder() const { return FRecorder.get(); }
    void Register1Click();
    // A read of the pages, recorded with what it took.
    void RunRecordedRead(const std::function<bool()>& operation);
    // A write of the pages' rows of these commands: the tracker's values of
    // them are read and recorded first, then the write with what it changed.
    void RunRecordedWrite(const QVector<TCmdAddress>& commands,
                          const std::function<bool()>& operation);
    // Writes back the values the tracker held before the event (confirmed in
    // the register window) through the shared write.
    void RestoreEvent(qint64 number, const QString& unit);
    void LogRecord(const QString& message);

    // --- the link's host (app/LinkHostWindow.cpp) ---
    void WriteLog(const QString& text, LogKind kind) override;
    bool AskRetry() override;
    bool WaitForPort(TDeviceLink& link) override;
    bool RunConnectDialog(TDeviceLink& link) override;
    void ShowDeviceError(const QString& text) override;
    void LinkStateChanged(TDeviceLink& link) override;
    void ProgressStart(int maximum) override;
    void ProgressSetValue(int value) override;
    void ProgressStep(int by) override;
    void ProgressExtend(int by) override;
    void ProgressFinish() override;

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    // tracker: the values just read from it (writing is offered then).
    void ShowComparison(const TValueDiff& diff, const QString& otherCaption,
                        const TParamValues* tracker);
    // Enters command mode and asks the tracker who it is, once per
    // connection; false when command mode could not be had.
    bool PrepareRecording();
    // Shows the values a shared write put on the tracker on the pages (the
    // rows pick chooses) and makes them the marks' reference.
    void ShowWritten(const TWriteResult& result,
                     const std::function<bool(const TCmdAddress&)>& pick);
    quint64 FSavedMarks = 0; // marks generation at the last saved file
    std::unique_ptr<TRegister> FRegister;
    std::unique_ptr<TTrackerRecorder> FRecorder;
    QString FRegisterSetting; // the [Register] Database= FRegister was opened for
    void CreateFrame();
    void CreateMenus();
    void MeasureLayoutUnit();
    void CreateProgressBar();
};
