#pragma once

#include "config/ValueDiff.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

// Lists the differences between the pages and a file or the tracker, one
// row per parameter with a check box; the caller carries out what the
// operator chose (exec() returns a TCompareAction).
class TfmCompare : public QDialog {
    Q_OBJECT
public:
    enum TCompareAction : int { caClose = QDialog::Rejected, caTransfer = 2, caWrite = 3 };
    enum TColumn : int { colPage, colCommand, colRow, colParam, colPageValue, colOther, colCount };

    explicit TfmCompare(QWidget* parent = nullptr);

    // otherCaption heads the other side's column ("В файле", "В трекере");
    // canWrite offers writing the checked rows to the tracker.
    void ShowDiff(const TValueDiff& diff, const QString& otherCaption, bool canWrite);
    QVector<TValueDiffRow> CheckedRows() const;
    void SetAllChecked(bool on);
    void SetRowChecked(int row, bool on);

    QTableWidget* Table = nullptr;
    QCheckBox* cbSelectAll = nullptr;
    QLabel* lblCounts = nullptr;
    QPushButton* btnTransfer = nullptr;
    QPushButton* btnWrite = nullptr;
    QPushButton* btnClose = nullptr;

private:
    void UpdateButtons();

    QVector<TValueDiffRow> FRows;
    bool FCanWrite = false;
    bool FUpdating = false;
};
