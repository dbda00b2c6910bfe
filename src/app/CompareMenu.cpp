#include "TfmCompare.h"
#include "TfmMain.h"
#include "config/FileCompare.h"
#include "config/ParamValueTable.h"
#include "pages/ChangeMarks.h"
#include "profile/TouchRecorder.h"
#include "profile/WireValue.h"

#include <QFileDialog>
#include <QMessageBox>

// Change marks, comparing the pages with a file or the tracker, and writing
// the rows picked from a comparison.

namespace {

class TCompareReport : public TConfigReport {
public:
    explicit TCompareReport(TfmMain& main) : FMain(main) {}
    void Log(const QString& text) override { FMain.WriteLog(text, lkGeneral); }
    bool MaskMatches(const QString& mask, const QString& text) override {
        return FMain.Pages->MaskMatches(mask, text);
    }

private:
    TfmMain& FMain;
};

// The commands a tracker comparison reads: readable and usable on pages the
// operator can reach.
bool ReadableHere(const TfmMain& fm, int page, int command) {
    const TDevCommand& cmd = DevCommands[page].Commands[command];
    return fm.PageControl1->isTabEnabled(page) && fm.Pages->CommandUsable(page, command) &&
           !cmd.Parameters.isEmpty();
}

} // namespace

void TfmMain::RunMarked(const std::function<void()>& operation, bool writes) {
    TTouchRecorder touched(*Pages);
    {
        TLinkValuesScope scope(*Link, &touched);
        Link->WriteCheck.Reset();
        operation();
    }
    // The answers put what the tracker holds on the pages: that is the
    // reference now (a value it did not take is in the log).
    Marks->Confirm(touched, writes);
}

bool TfmMain::MayClose() {
    if (!Marks || Marks->MarkedCount() == 0 || Marks->Generation() == FSavedMarks)
        return true;
    QMessageBox box(QMessageBox::Question, windowTitle(),
                    tr("Изменённые значения не записаны в трекер и не сохранены в файл. "
                       "Выйти без записи и сохранения?"),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void TfmMain::CompareFile1Click() {
    if (OpenDialog1->exec() != QDialog::Accepted)
        return;
    const QStringList files = OpenDialog1->selectedFiles();
    if (!files.isEmpty())
        CompareWithFile(files.first());
}

void TfmMain::CompareTracker1Click() {
    CompareWithTracker();
}

void TfmMain::CompareWithFile(const QString& fileName) {
    TCompareReport report(*this);
    const TFileComparison comparison = ::CompareWithFile(fileName, *Pages, report);
    switch (comparison.Load.Status) {
    case cfOpenError:
    case cfTooLarge:
    case cfWriteError:
        return;
    case cfStreamError:
        QMessageBox::critical(this, QStringLiteral("Error"), comparison.Load.Error);
        return;
    case cfStructure:
    case cfOk:
        break;
    }
    ShowComparison(comparison.Diff, tr("В файле"), false);
}

void TfmMain::CompareWithTracker() {
    if (!Link->InCommandMode && !Link->EnterCommandMode())
        return;
    TParamValueTable table;
    TTouchRecorder touched(table);
    int notReadable = 0;
    int total = 0;
    for (int p = 0; p < DevCommands.size(); ++p)
        for (int c = 0; c < DevCommands[p].Commands.size(); ++c)
            total += ReadableHere(*this, p, c) ? 1 : 0;
    ProgressStart(total);
    {
        TLinkValuesScope scope(*Link, &touched);
        for (int p = 0; p < DevCommands.size(); ++p) {
            for (int c = 0; c < DevCommands[p].Commands.size(); ++c) {
                if (!ReadableHere(*this, p, c))
                    continue;
                const TDevCommand& cmd = DevCommands[p].Commands[c];
                if (!cmd.PollData) {
                    ++notReadable; // the tracker has no way to tell
                    ProgressStep(1);
                    continue;
                }
                const int before = touched.Touched().size();
                if (!Link->PollCommand({p, c, 0, 0})) {
                    WriteLog(tr("Процесс прерван на команде") + QLatin1Char(' ') + cmd.CommandName,
                             lkGeneral);
                    return;
                }
                if (!table.CommandUsable(p, c)) {
                    // The tracker said so: the pages skip it from now on too.
                    Pages->MarkUnsupported(p, c);
                    ++notReadable;
                } else if (touched.Touched().size() == before) {
                    ++notReadable;
                }
                ProgressStep(1);
            }
        }
    }
    ProgressFinish();
    TValueDiff diff = CompareValues(*Pages, table, touched, dsIgnore);
    diff.NotReadable = notReadable;
    ShowComparison(diff, tr("В трекере"), true);
}

void TfmMain::ShowComparison(const TValueDiff& diff, const QString& otherCaption, bool canWrite) {
    if (!fmCompare)
        fmCompare = new TfmCompare(this);
    fmCompare->ShowDiff(diff, otherCaption, canWrite);
    const int action = fmCompare->exec();
    const QVector<TValueDiffRow> rows = fmCompare->CheckedRows();
    if (rows.isEmpty())
        return;
    if (action == TfmCompare::caTransfer)
        TransferValues(rows, *Pages);
    else if (action == TfmCompare::caWrite)
        WriteRows(CommandRowsOf(rows));
}

void TfmMain::WriteRows(const QVector<TCmdAddress>& rows) {
    if (rows.isEmpty() || (!Link->InCommandMode && !Link->EnterCommandMode()))
        return;
    RunMarked(
        [this, &rows] {
            ProgressStart(rows.size());
            bool stopped = false;
            for (const TCmdAddress& row : rows) {
                const TDevCommand* command = ProfileCommand(row);
                if (!command)
                    continue;
                if (!command->SetData) {
                    WriteLog(tr("Команда %1 не записывается").arg(command->CommandName), lkGeneral);
                    ProgressStep(1);
                    continue;
                }
                if (!Link->ApplyCommand(row)) {
                    WriteLog(tr("Процесс прерван на команде") + QLatin1Char(' ') +
                                 command->CommandName + QLatin1Char('/') + QString::number(row.Row),
                             lkGeneral);
                    stopped = true;
                    break;
                }
                ProgressStep(1);
            }
            if (!stopped)
                ProgressFinish();
            WriteLog(Link->WriteCheck.Summary(), lkGeneral);
        },
        true);
}
