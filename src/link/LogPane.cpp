#include "LogPane.h"

#include "LogFormat.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextBlockUserData>
#include <QTextDocument>

namespace {

class TLogBlockTime : public QTextBlockUserData {
public:
    explicit TLogBlockTime(const QDateTime& time) : Time(time) {}
    QDateTime Time;
};

} // namespace

void StampLogBlock(QTextBlock& block, const QDateTime& time) {
    block.setUserData(new TLogBlockTime(time));
}

QDateTime LogBlockTime(const QTextBlock& block) {
    auto* stamp = dynamic_cast<TLogBlockTime*>(block.userData());
    return stamp ? stamp->Time : QDateTime();
}

QStringList SavedLogPaneLines(const QPlainTextEdit* pane) {
    QStringList lines;
    if (!pane)
        return lines;
    const QTextDocument* doc = pane->document();
    if (doc->isEmpty())
        return lines;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        lines << SavedLogLine(LogBlockTime(block), block.text());
    return lines;
}

TLogPaneMenu::TLogPaneMenu(QPlainTextEdit* pane, TReport report)
    : QObject(pane), FPane(pane), FReport(std::move(report)), FSaveFolder(QDir::currentPath()) {
    pane->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pane, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowMenu(at); });
}

QMenu* TLogPaneMenu::CreateMenu() {
    QMenu* menu = FPane->createStandardContextMenu();
    menu->addSeparator();
    QAction* save = menu->addAction(tr("Сохранить протокол..."), this, [this] { SaveLogClick(); });
    save->setObjectName(QStringLiteral("SaveLog1"));
    QAction* clear = menu->addAction(tr("Очистить"), this, [this] { ClearClick(); });
    clear->setObjectName(QStringLiteral("ClearLog1"));
    const bool empty = FPane->document()->isEmpty();
    save->setEnabled(!empty);
    clear->setEnabled(!empty);
    return menu;
}

void TLogPaneMenu::ShowMenu(const QPoint& at) {
    if (!FPane)
        return;
    QMenu* menu = CreateMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(FPane->viewport()->mapToGlobal(at));
}

QFileDialog* TLogPaneMenu::SaveDialog() {
    if (FSaveDialog || !FPane)
        return FSaveDialog;
    FSaveDialog = new QFileDialog(FPane);
    FSaveDialog->setObjectName(QStringLiteral("LogSaveDialog"));
    FSaveDialog->setOption(QFileDialog::DontUseNativeDialog, true);
    FSaveDialog->setAcceptMode(QFileDialog::AcceptSave);
    FSaveDialog->setFileMode(QFileDialog::AnyFile);
    FSaveDialog->setNameFilters({tr("Текстовые файлы (*.txt)"), tr("Все файлы (*)")});
    FSaveDialog->setDefaultSuffix(QStringLiteral("txt"));
    FSaveDialog->setSizeGripEnabled(true);
    FSaveDialog->setDirectory(FSaveFolder);
    return FSaveDialog;
}

void TLogPaneMenu::SaveLogClick() {
    QFileDialog* dialog = SaveDialog();
    if (!dialog || dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return;
    SaveTo(dialog->selectedFiles().constFirst());
}

bool TLogPaneMenu::SaveTo(const QString& fileName) {
    QString error;
    if (WriteLogFile(fileName, SavedLogPaneLines(FPane), &error))
        return true;
    if (FReport)
        FReport(tr("Не могу сохранить протокол, ошибка=") + error);
    return false;
}

void TLogPaneMenu::ClearClick() {
    if (FPane)
        FPane->clear();
}
