#include "app/Forms.h"
#include "app/TfmMain.h"
#include "base/IniFile.h"
#include "settings/Langs.h"
#include "settings/Settings.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    {
        // Only the language is read before any window exists.
        SetInterfaceLanguageFrom(*OpenSettingsFile());
    }
    CreateForms();
    fmMain->show();
    const int rc = app.exec();
    DestroyForms();
    return rc;
}
