#pragma once

#include <QGroupBox>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class TInstallCheck;

// "Проверка установки": the criteria with their states and deciding values,
// the verdict, the vehicle and the installer (asked once, kept for the
// report) and the report button.
class TCheckPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit TCheckPanel(QWidget* parent = nullptr);

    void ShowCheck(const TInstallCheck& check);

    QString Plate() const;
    QString Vin() const;
    QString Installer() const;

    QTableWidget* lvCriteria = nullptr;
    QLabel* lVerdict = nullptr;
    QLabel* lReasons = nullptr;
    QLineEdit* ePlate = nullptr;
    QLineEdit* eVin = nullptr;
    QLineEdit* eInstaller = nullptr;
    QPushButton* btnSaveReport = nullptr;
    QPushButton* btnRestart = nullptr;

    enum TColumn { colCriterion, colState, colValue, colCount };

Q_SIGNALS:
    void SaveReportRequested();
    void RestartRequested();
};
