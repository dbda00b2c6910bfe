#include "ProgressObserver.h"
#include "TfmCompare.h"
#include "TfmMain.h"
#include "config/FileCompare.h"
#include "config/ParamValueTable.h"
#include "ops/CommandRead.h"
#include "ops/ResultWords.h"
#include "ops/TrackerWrite.h"
#include "pages/ChangeMarks.h"
#include "profile/TouchRecorder.h"
#include "profile/WireValue.h"
#include "register/TrackerRecorder.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QSet>

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

void TfmMain::RunMarked(const std::function<void()>& operation, bool writes,
                        const std::function<void(const TTouchRecorder&)>& done) {
    TTouchRecorder touched(*Pages);
    {
        TLinkValuesScope scope(*Link, &touched);
        Link->WriteCheck.Reset();
        operation();
    }
    if (done)
        done(touched);
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
    ShowComparison(comparison.Diff, tr("В файле"), nullptr);
}

void TfmMain::CompareWithTracker() {
    if (!PrepareRecording())
        return;
    int notReadable = 0;
    QVector<TCmdAddress> commands;
    for (int p = 0; p < DevCommands.size(); ++p)
        for (int c = 0; c < DevCommands[p].Commands.size(); ++c) {
            if (!ReadableHere(*this, p, c))
                continue;
            if (DevCommands[p].Commands[c].PollData)
                commands.append({p, c, 0, 0});
            else
                ++notReadable; // the tracker has no way to tell
        }
    TParamValueTable table;
    TProgressObserver observer(*this);
    const TReadResult read = ReadCommands(*Link, table, commands, observer);
    if (FRecorder)
        LogRecord(FRecorder->RecordRead(*Link, table, ReadResultWord(read)).Message());
    if (read.Failed())
        return;
    for (const TCommandRead& c : read.Commands) {
        // The tracker said so: the pages skip it from now on too.
        if (c.State == rsUnsupported)
            Pages->MarkUnsupported(c.Command.Page, c.Command.Command);
        if (c.State != rsRead)
            ++notReadable;
    }
    ProgressFinish();
    TValueDiff diff = CompareValues(*Pages, table, dsIgnore);
    diff.NotReadable = notReadable;
    ShowComparison(diff, tr("В трекере"), &table);
}

void TfmMain::ShowComparison(const TValueDiff& diff, const QString& otherCaption,
                             const TParamValues* tracker) {
    if (!fmCompare)
        fmCompare = new TfmCompare(this);
    fmCompare->ShowDiff(diff, otherCaption, tracker != nullptr);
    const int action = fmCompare->exec();
    const QVector<TValueDiffRow> rows = fmCompare->CheckedRows();
    if (rows.isEmpty())
        return;
    if (action == TfmCompare::caTransfer)
        TransferValues(rows, *Pages);
    else if (action == TfmCompare::caWrite)
        WriteSelected(rows, tracker);
}

void TfmMain::WriteSelected(const QVector<TValueDiffRow>& rows, const TParamValues* tracker) {
    if (rows.isEmpty() || !PrepareRecording())
        return;
    // Only the selected values change; the rest of each row goes out as the
    // tracker holds it.
    TParamValueTable source;
    QStringList readOnly;
    for (const TValueDiffRow& row : rows) {
        const TDevCommand* command = CommandAt(row.Address);
        if (command && !command->SetData && !readOnly.contains(command->CommandName))
            readOnly << command->CommandName;
        source.SetWireText(row.Address, row.PageValue);
    }
    for (const QString& name : readOnly)
        WriteLog(tr("Команда %1 не записывается").arg(name), lkGeneral);
    TWriteOptions options;
    options.Verify = false;
    options.Known = tracker;
    TProgressObserver observer(*this);
    const TWriteResult result = WriteValues(*Link, source, options, observer);
    if (result.Failure == wfNone)
        ProgressFinish();
    if (FRecorder)
        LogRecord(FRecorder->RecordWrite(*Link, result, WriteResultWord(result, options.Store))
                      .Message());
    // The selected values show what the tracker answered and that becomes
    // their reference; the pages' other values stay as the operator has them.
    QSet<quint64> selected;
    for (const TValueDiffRow& row : rows)
        selected.insert(AddressKey(row.Address));
    ShowWritten(result,
                [&selected](const TCmdAddress& a) { return selected.contains(AddressKey(a)); });
}

void TfmMain::ShowWritten(const TWriteResult& result,
                          const std::function<bool(const TCmdAddress&)>& pick) {
    TTouchRecorder touched(*Pages);
    for (const TCmdAddress& row : result.Written) {
        const TDevCommand* cmd = CommandAt(row);
        for (int p = 0; cmd && p < cmd->Parameters.size(); ++p) {
            const TCmdAddress a{row.Page, row.Command, row.Row, p};
            if (pick(a) && (result.Answered.Held(a) & hpValue))
                touched.SetWireText(a, result.Answered.WireText(a));
        }
    }
    Marks->Confirm(touched, true);
}
