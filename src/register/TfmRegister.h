#pragma once

#include "RegisterEvent.h"

#include <QDialog>
#include <QVector>

class QComboBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTableWidget;
class QTimer;
class TRegister;
class TRegisterUnitsModel;

// "Журнал трекеров": the register's units with a filter, a unit's events and
// the values an event changed. A snapshot is saved as the .zxml file it was
// stored as; writing one back is the main window's (RestoreRequested): this
// window never talks to a tracker.
class TfmRegister : public QDialog {
    Q_OBJECT
public:
    enum TEventColumn : int {
        ecNumber,
        ecTime,
        ecAction,
        ecResult,
        ecPort,
        ecBench,
        ecOperator,
        ecChanged,
        ecDetail,
        ecCount
    };
    enum TChangeColumn : int { ccCommand, ccRow, ccParameter, ccOld, ccNew, ccCount };
    enum TSnapshotChoice : int { scBefore, scAfter };

    explicit TfmRegister(QWidget* parent = nullptr);

    // Shows the register (the caller keeps it); reloads the units.
    void SetRegister(TRegister* reg);
    void Reload();
    // The selected event; nullptr when none.
    const TRegisterEvent* SelectedEvent() const;
    // Writes the selected event's chosen snapshot to the file, byte for byte.
    bool SaveSnapshot(const QString& fileName, QString& error);

    QLineEdit* eFilter = nullptr;
    QPushButton* btnReload = nullptr;
    QTableView* Units = nullptr;
    TRegisterUnitsModel* UnitsModel = nullptr;
    QTableWidget* Events = nullptr;
    QTableWidget* Changes = nullptr;
    QComboBox* cbSnapshot = nullptr;
    QPushButton* btnSaveSnapshot = nullptr;
    QPushButton* btnRestore = nullptr;
    QLabel* lblStatus = nullptr;
    QFileDialog* SaveDialog = nullptr;
    QTimer* tmFilter = nullptr;

Q_SIGNALS:
    // The operator confirmed writing the values the tracker held before the
    // event back to it.
    void RestoreRequested(qint64 eventNumber, const QString& unit);

private:
    void UnitChanged();
    void EventChanged();
    void UpdateButtons();
    void SaveSnapshotClick();
    void RestoreClick();
    void ShowError(const QString& text);

    TRegister* FRegister = nullptr;
    QVector<TRegisterEvent> FEvents;
};
