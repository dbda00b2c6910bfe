#pragma once

#include "ControlIndex.h"
#include "base/LogKind.h"
#include "profile/ParamValues.h"

#include <QObject>
#include <QPointer>
#include <QRegularExpression>
#include <QStringList>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QTabWidget;
class QWidget;
class THexEdit;

// The generated parameter pages: builds them into the tab widget it is
// given, finds their controls, runs the editors' rules and answers for the
// values they hold. Non-visual itself; the tab widget (and with it every
// generated control) belongs to the window.
class TParameterPages : public QObject, public TParamValues {
    Q_OBJECT
public:
    explicit TParameterPages(QTabWidget* pageControl, QObject* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    int H = 17; // layout unit: height and width of the platform's check box
    int W = 17;
    QRegularExpression RegExpr; // the one matcher for every mask check

    // Where log lines go (the window's log).
    std::function<void(const QString& text, LogKind kind)> OnLog;

    // --- page builder and control lookup ---
    void BuildPages();
    TCmdAddress ControlAddress(const QObject* control) const;
    QWidget* FindControl(int page, int command, int row, int param, ControlRole role) const;
    void SetCommandEnabled(QGroupBox* group, bool enabled);
    // The widget holding a page's group boxes and page buttons (inside the
    // page's scroll area); nullptr for a page that does not exist.
    QWidget* PageScrollBox(int page) const;

    // --- editor rules ---
    void CheckBoxClick(QCheckBox* box);
    void EditChange(QLineEdit* edit);
    bool EditExit(QLineEdit* edit);   // false: the focus stays
    bool HexEditKeyPress(QChar& key); // false: the key is dropped
    bool HexEditExit(THexEdit* edit); // false: the focus stays
    // Search semantics; an invalid mask counts as matching (logged once).
    bool MaskMatches(const QString& mask, const QString& text);

    // --- the values, over the editors and switches ---
    bool HasCommand(int page, int command) const override;
    bool CommandUsable(int page, int command) const override;
    void MarkUnsupported(int page, int command) override;
    bool HasValue(const TCmdAddress& address) const override;
    bool HasSwitch(const TCmdAddress& address) const override;
    bool ParameterEnabled(const TCmdAddress& address) const override;
    void SetParameterEnabled(const TCmdAddress& address, bool on) override;
    QString WireText(const TCmdAddress& address) const override;
    void SetWireText(const TCmdAddress& address, const QString& text) override;
    void SelectOption(const TCmdAddress& address, int option) override;

Q_SIGNALS:
    // The page buttons, with the button pressed (its Tag and page give the address).
    void PollClicked(QWidget* button);
    void ApplyClicked(QWidget* button);
    void ApplyAllIndexedClicked(QWidget* button);
    void PollPageClicked(QWidget* button);
    void ApplyPageClicked(QWidget* button);

private:
    void WriteLog(const QString& text, LogKind kind);
    QWidget* Control(const TCmdAddress& a, ControlRole role) const {
        return FindControl(a.Page, a.Command, a.Row, a.Param, role);
    }
    void InstallExitRule(QLineEdit* edit);
    TControlIndex FControls;          // the controls BuildPages made, by address
    QObject* FExitFilter = nullptr;   // runs the leave rules on focus-out
    QPointer<QLineEdit> FFocusReturn; // editor the focus is being given back to
    QStringList FInvalidMasks;        // masks already reported as invalid
    friend class TEditorExitFilter;
};
