#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class TColorList;
class TPortListBox;

// "Настройки программы": filled from Settings on every show; OK stores the
// controls into Settings and writes Velmora.ini, Cancel discards the edits.
class TfmSettings : public QDialog {
    Q_OBJECT
public:
    explicit TfmSettings(QWidget* parent = nullptr);

    // Fills every control from Settings and the command profile (runs on
    // every show, before the dialog is visible).
    void FormShow();

    QComboBox* cbComPortSelect = nullptr;
    QComboBox* cbPortSpeed = nullptr;
    QLineEdit* edtPassword = nullptr;
    QLineEdit* edtMasterPassword = nullptr;
    QSpinBox* seTimeOut = nullptr;
    QSpinBox* seTimeoutInterval = nullptr;
    QSpinBox* seTimeoutEcho = nullptr;
    TColorList* clrbRead = nullptr;
    TColorList* clrbWrite = nullptr;
    TColorList* clrbReadError = nullptr;
    TColorList* clrbWriteError = nullptr;
    TColorList* clrbGeneralError = nullptr;
    QListWidget* clbPagesSelect = nullptr;
    QSpinBox* seRetryCount = nullptr;
    QComboBox* cbConnectMethod = nullptr;
    QComboBox* cbLanguage = nullptr;
    QCheckBox* cbEndOnPrompt = nullptr;
    QCheckBox* cbPortPoll = nullptr;
    QGroupBox* gbDebug = nullptr;
    QLineEdit* edtCmdText = nullptr;
    QPushButton* btnSend = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* ApplyBtn = nullptr;

public Q_SLOTS:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void FillPortList();
    void FillPageList();
    // Every control but the two lists, from Settings.
    void FillFromSettings();
    // The language item the dialog was filled with: OK keeps the stored
    // locale (0, "the system's", or one the list does not hold) unless the
    // operator picked another item.
    int FShownLanguage = -1;
    void ApplyBtnClick();
    void btnSendClick();
    bool PasswordKeyPress(QLineEdit* edit, QEvent* event);

    TPortListBox* PortList = nullptr;
};
