#pragma once

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

class QFileDialog;
class QMenu;
class QPlainTextEdit;
class QPoint;
class QTextBlock;

// The time a log line was written, kept with its line in the pane (the pane
// itself shows none). Lines without one (none yet) give an invalid time.
void StampLogBlock(QTextBlock& block, const QDateTime& time);
QDateTime LogBlockTime(const QTextBlock& block);
// Every line of the pane with its time, as a saved log holds it.
QStringList SavedLogPaneLines(const QPlainTextEdit* pane);

// The log pane's context menu: the pane's own items, then saving the whole
// log to a text file and clearing the pane.
class TLogPaneMenu : public QObject {
    Q_OBJECT
public:
    using TReport = std::function<void(const QString& message)>;

    // Messages (a failed save) go to report.
    TLogPaneMenu(QPlainTextEdit* pane, TReport report);

    // The menu as shown at a point of the pane (the caller owns it).
    QMenu* CreateMenu();
    // Asks for the file, then saves.
    void SaveLogClick();
    bool SaveTo(const QString& fileName);
    void ClearClick();
    // The dialog that asks for the file, made when first asked for: a file
    // dialog lists its folder as it is made, which the window's opening
    // need not wait for.
    QFileDialog* SaveDialog();

private:
    void ShowMenu(const QPoint& at);

    QPointer<QPlainTextEdit> FPane;
    TReport FReport;
    QFileDialog* FSaveDialog = nullptr;
    QString FSaveFolder; // the working folder when the pane was made
};
