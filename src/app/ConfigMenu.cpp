#include "TfmMain.h"
#include "config/ConfigFile.h"
#include "pages/ChangeMarks.h"
#include "profile/TouchRecorder.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

// Loading and saving report to the log; leave masks are checked the way the
// editors check them.
class TWindowConfigReport : public TConfigReport {
public:
    explicit TWindowConfigReport(TfmMain& main) : FMain(main) {}
    void Log(const QString& text) override { FMain.WriteLog(text, lkGeneral); }
    bool MaskMatches(const QString& mask, const QString& text) override {
        return FMain.Pages->MaskMatches(mask, text);
    }

private:
    TfmMain& FMain;
};

} // namespace

void TfmMain::Load1Click() {
    if (OpenDialog1->exec() != QDialog::Accepted)
        return;
    const QStringList files = OpenDialog1->selectedFiles();
    if (!files.isEmpty())
        LoadConfiguration(files.first());
}

void TfmMain::Save1Click() {
    if (SaveDialog1->exec() != QDialog::Accepted)
        return;
    const QStringList files = SaveDialog1->selectedFiles();
    if (!files.isEmpty())
        SaveConfiguration(files.first());
}

void TfmMain::SaveConfiguration(const QString& fileName) {
    TWindowConfigReport report(*this);
    const TConfigFileResult result = SaveConfigurationFile(*Pages, fileName, report);
    if (result.Ok())
        FSavedMarks = Marks->Generation();
    if (result.Status == cfWriteError)
        QMessageBox::critical(this, QStringLiteral("Error"), result.Error);
}

void TfmMain::LoadConfiguration(const QString& fileName) {
    TWindowConfigReport report(*this);
    // What the file set is the new reference of its marks.
    TTouchRecorder touched(*Pages);
    TConfigFileResult result;
    {
        const TChangeMarks::THold hold(*Marks);
        result = LoadConfigurationFile(fileName, touched, report);
        Marks->Confirm(touched, false);
    }
    if (result.Status == cfStreamError)
        QMessageBox::critical(this, QStringLiteral("Error"), result.Error);
}
