#pragma once

#include <QDialog>

// "Настройки программы": edits Settings and writes Velmora.ini on OK.
class TfmSettings : public QDialog {
    Q_OBJECT
public:
    explicit TfmSettings(QWidget* parent = nullptr);
};
