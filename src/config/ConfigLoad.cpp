#include "ConfigInflate.h"
#include "ConfigReader.h"
#include "app/TfmMain.h"
#include "pages/EditorAccess.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

namespace {

// Maps the loader's requests onto the generated controls, setting them the
// way a user would so that their handlers run.
class TPageSink : public TConfigLoadSink {
public:
    explicit TPageSink(TfmMain& main) : FMain(main) {}

    bool HasSwitch(const TCmdAddress& a) override { return Control(a, crSwitch) != nullptr; }
    void SetSwitch(const TCmdAddress& a, bool on) override {
        SetSwitchChecked(Control(a, crSwitch), on);
    }
    bool HasEditor(const TCmdAddress& a) override { return Control(a, crEditor) != nullptr; }
    void SetEditorText(const TCmdAddress& a, const QString& text) override {
        ::SetEditorText(Control(a, crEditor), text);
    }
    void SelectOption(const TCmdAddress& a, int option) override {
        ::SelectOption(Control(a, crEditor), option);
    }
    bool MaskMatches(const QString& mask, const QString& text) override {
        return FMain.MaskMatches(mask, text);
    }
    void Log(const QString& text) override { FMain.WriteLog(text, lkGeneral); }

private:
    QWidget* Control(const TCmdAddress& a, ControlRole role) const {
        return FMain.FindControl(a.Page, a.Command, a.Row, a.Param, role);
    }

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

void TfmMain::LoadConfiguration(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        WriteLog(tr("Не могу открыть файл, ошибка=") + file.errorString(), lkGeneral);
        return;
    }
    const TConfigInflateResult inflated = InflateConfiguration(file);
    file.close();
    switch (inflated.Status) {
    case isTooLarge:
        WriteLog(tr("Входной файл слишком велик"), lkGeneral);
        return;
    case isStreamError:
        QMessageBox::critical(this, QStringLiteral("Error"), inflated.Error);
        return;
    case isComplete:
        break;
    }
    TPageSink sink(*this);
    LoadConfigurationText(inflated.Text, sink);
}
