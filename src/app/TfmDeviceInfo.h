#pragma once

#include "check/CheckRecord.h"
#include "status/MapAddress.h"
#include "status/StatusParser.h"

#include <QDialog>
#include <QEvent>
#include <QHash>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QScrollArea;
class QVBoxLayout;
class QLineEdit;
class QPushButton;
class QToolButton;
class QTabWidget;
class QTimer;
class TCheckPanel;
class TCheckPlots;
class TComDataPacket;
class TDeviceLink;
class TSignalIndicator;
class TStatusSession;

// The deferred start request the window posts to itself when shown.
constexpr QEvent::Type kDeferredStartEvent = QEvent::Type(QEvent::User + 100);
constexpr int kRemoteButtonWidth = 64;
// Fields are never narrower than this; they grow to take typical values whole.
constexpr int kMinStatusFieldWidth = 130;
constexpr int kSignalFieldWidth = 40;
// The plots are redrawn at most this often while reports stream in.
constexpr int kPlotRefreshMs = 1000;
// The check beside the plots: its values are long, the plots need the rest.
constexpr int kCheckPanelWidth = 460;

// The remote-control lines ("caption=command"), as the settings hold them now.
using TRemoteButtonSource = std::function<QStringList()>;
// The check's thresholds, as the settings hold them now.
using TCheckSettingsSource = std::function<TCheckSettings()>;

// "Состояние устройства": the live status stream.
class TfmDeviceInfo : public QDialog {
    Q_OBJECT
public:
    explicit TfmDeviceInfo(TDeviceLink* link, QWidget* parent = nullptr);
    ~TfmDeviceInfo() override;

    void ShowConnectionState(const QString& portName, const QString& speed, bool portOpen,
                             bool inCommandMode);
    // Whoever opens the window says where its buttons come from; they are
    // asked for again at every showing.
    void SetRemoteButtonSource(TRemoteButtonSource source) { FRemoteSource = std::move(source); }
    // Asked at every showing, like the remote-control lines.
    void SetCheckSettingsSource(TCheckSettingsSource source) { FCheckSource = std::move(source); }
    void LoadRemoteButtons();
    void StartStreaming();
    void StopStreaming();
    // One framed line, as delivered (the framer's OnPacket).
    void ComDataPacket1Packet(const QString& line);
    // One trimmed report line into the fields.
    void ParseStatusReport(const QString& line);

    void btnStartClick();
    void btnStopClick();
    void RemoteButtonClick(int index);
    void btnGoMapClick();
    // "Сохранить отчёт...": asks where, then SaveReport.
    void btnSaveReportClick();
    // The check's report with the vehicle and the installer from the panel.
    bool SaveReport(const QString& path, QString* error);
    const TCheckRecord& CheckRecord() const { return FRecord; }

    // The map address for the shown position, exactly as the fields show it.
    QString MapAddress() const;
    QUrl MapUrl() const;

    QLineEdit* Field(const QString& name) const { return FFields.value(name); }
    bool OverflowWarningShown() const { return FOverflowShown; }
    const TStatusFields& StatusFields() const;

    bool Streaming = false;
    TComDataPacket* ComDataPacket1 = nullptr; // the session's framer
    QStringList RemoteButtons;

    QPushButton* btnStart = nullptr;
    QPushButton* btnStop = nullptr;
    QPushButton* btnClose = nullptr;
    QToolButton* btnGoMap = nullptr;
    QWidget* bgRC = nullptr;
    QLabel* lMemoryOverflow = nullptr;
    TSignalIndicator* pGSMStr = nullptr;
    QCheckBox* cDState1 = nullptr;
    QCheckBox* cDState2 = nullptr;
    QCheckBox* cDState3 = nullptr;
    QTabWidget* tcPages = nullptr; // the fields; "Графики" with the check beside
    TCheckPlots* pPlots = nullptr;
    TCheckPanel* pCheck = nullptr;

public Q_SLOTS:
    void done(int result) override;
    // The stop button is the cancel button: Esc presses it, the window stays.
    void reject() override;
    void setVisible(bool visible) override;

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    TDeviceLink* FLink = nullptr;
    TRemoteButtonSource FRemoteSource;
    TCheckSettingsSource FCheckSource;
    TCheckRecord FRecord;
    QTimer* FPlotTimer = nullptr;
    // The groups of fields, in columns, as the shared table of fields says.
    QWidget* BuildGroups();
    void AddRow(QGridLayout* grid, int row, const char* name);
    void AddDiscreteStates(QGridLayout* grid, int row);
    QGroupBox* NewGroup(const QString& caption, QGridLayout*& grid);
    // The label is the field's caption from the shared table of status fields.
    QLineEdit* AddField(QGridLayout* grid, int row, const char* name);
    void SetOverflowWarning(bool shown);
    void ShowReport(const TStatusChange& change, const TStatusFields& fields);
    // The check and the plots read the same lines the fields show.
    void TakeCheckLine(const QString& line);
    void ShowCheck();
    void RestartCheck();
    // Fixed size: the content's own, or the available screen with scrolling.
    void FitToScreen();

    TStatusTexts FTexts;
    std::unique_ptr<TStatusSession> FSession;
    QHash<QString, QLineEdit*> FFields;
    QHBoxLayout* FRemoteLayout = nullptr;
    QScrollArea* FScroll = nullptr;
    QVBoxLayout* FRoot = nullptr;
    QHBoxLayout* FBottom = nullptr;
    bool FOverflowShown = false;
};
