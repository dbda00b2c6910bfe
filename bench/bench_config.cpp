// Saving and loading the configuration of a generated profile with 2,000
// parameters through the main window, plus the widget-free parts alone.
// Run with QT_QPA_PLATFORM=offscreen.

#include "app/TfmMain.h"
#include "config/ConfigFormat.h"
#include "config/ConfigInflate.h"
#include "config/ConfigReader.h"
#include "profile/DevCommands.h"
#include "profile/ProfileLoader.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kPages = 4;
constexpr int kCommandsPerPage = 25;
constexpr int kParamsPerCommand = 20;
constexpr int kRounds = 5;

QByteArray GeneratedProfile() {
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<profile>\n";
    for (int page = 0; page < kPages; ++page) {
        xml += "<page id=\"p" + QByteArray::number(page) + "\" name=\"Страница " +
               QByteArray::number(page) + "\">\n";
        for (int c = 0; c < kCommandsPerPage; ++c) {
            xml += "<command command=\"+B" + QByteArray::number(page * 100 + c) +
                   "\" description=\"Команда\" exportdata=\"1\" polldata=\"1\">\n";
            for (int p = 0; p < kParamsPerCommand; ++p) {
                switch (p % 4) {
                case 0:
                    xml += "<parameter type=\"integer\" description=\"Число\" minvalue=\"0\" "
                           "maxvalue=\"100000\" defaultvalue=\"" +
                           QByteArray::number(p * 37) + "\"/>\n";
                    break;
                case 1:
                    xml += "<parameter type=\"string\" description=\"Строка\" maxlen=\"32\" "
                           "onleave_mask=\"^[^,]*$\" defaultvalue=\"Значение &amp; &lt;" +
                           QByteArray::number(p) + "&gt;\"/>\n";
                    break;
                case 2:
                    xml += "<parameter type=\"hex\" description=\"Код\" maxlen=\"8\" "
                           "defaultvalue=\"00AB12CD\"/>\n";
                    break;
                default:
                    xml += "<parameter type=\"option\" description=\"Выбор\" optional=\"0\" "
                           "defaultvalue=\"2\"><option value=\"1\" text=\"один\"/>"
                           "<option value=\"2\" text=\"два\"/><option value=\"3\" "
                           "text=\"три\"/></parameter>\n";
                    break;
                }
            }
            xml += "</command>\n";
        }
        xml += "</page>\n";
    }
    return xml + "</profile>\n";
}

class TNullSink : public TConfigLoadSink {
public:
    int Sets = 0;
    bool HasSwitch(const TCmdAddress&) override { return true; }
    void SetSwitch(const TCmdAddress&, bool) override { ++Sets; }
    bool HasEditor(const TCmdAddress&) override { return true; }
    void SetEditorText(const TCmdAddress&, const QString&) override { ++Sets; }
    void SelectOption(const TCmdAddress&, int) override { ++Sets; }
    bool MaskMatches(const QString&, const QString&) override { return true; }
    void Log(const QString&) override {}
};

double Ms(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SetSettingsFolder(dir.path());
    TfmMain main;

    LoadCommandProfileFromData(GeneratedProfile());
    QElapsedTimer timer;
    timer.start();
    main.BuildPages();
    const double buildMs = Ms(timer);
    int params = 0;
    for (const TCmdPage& page : DevCommands)
        for (const TDevCommand& cmd : page.Commands)
            params += static_cast<int>(cmd.Parameters.size()) * cmd.RowCount();

    const QString path = dir.filePath(QStringLiteral("bench.zxml"));
    double saveMs = 1e9, loadMs = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        timer.restart();
        main.SaveConfiguration(path);
        saveMs = qMin(saveMs, Ms(timer));
        timer.restart();
        main.LoadConfiguration(path);
        loadMs = qMin(loadMs, Ms(timer));
    }

    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray compressed = file.readAll();
    QBuffer buffer;
    buffer.setData(compressed);
    buffer.open(QIODevice::ReadOnly);
    timer.restart();
    const TConfigInflateResult inflated = InflateConfiguration(buffer);
    const double inflateMs = Ms(timer);
    TNullSink sink;
    timer.restart();
    LoadConfigurationText(inflated.Text, sink);
    const double walkMs = Ms(timer);

    std::printf("profile: %d parameters, pages built in %.1f ms\n", params, buildMs);
    std::printf("file: %lld bytes compressed, %lld bytes of XML\n",
                static_cast<long long>(compressed.size()),
                static_cast<long long>(inflated.Text.size()));
    std::printf("save configuration (window):  %.1f ms (best of %d)\n", saveMs, kRounds);
    std::printf("load configuration (window):  %.1f ms (best of %d)\n", loadMs, kRounds);
    std::printf("inflate alone: %.2f ms; XML walk and value rules alone: %.2f ms (%d sets)\n",
                inflateMs, walkMs, sink.Sets);
    return 0;
}
