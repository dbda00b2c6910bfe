// Loads a generated command profile of about 1 MB, from memory and from a
// file, and prints how long each load takes. Figures only; nothing fails on
// time.

#include "base/XmlParser.h"
#include "profile/DevCommands.h"
#include "profile/ProfileLoader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr qsizetype kTargetSize = 1 << 20;
constexpr int kRuns = 5;
constexpr int kCommandsPerPage = 40;

// Pages of commands in the style of the shipped profile, Cyrillic texts and
// every parameter kind included, until the text reaches kTargetSize.
QByteArray GenerateProfile() {
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<profile>\n";
    int command = 0;
    while (xml.size() < kTargetSize) {
        if (command % kCommandsPerPage == 0) {
            if (command > 0)
                xml += "  </page>\n";
            const QByteArray n = QByteArray::number(command / kCommandsPerPage);
            xml += "  <page id=\"page" + n + "\" name=\"Страница " + n + "\">\n";
        }
        const QByteArray name =
            "+" + QByteArray::number(command, 16).toUpper().rightJustified(4, 'A');
        xml += "    <command command=\"" + name + "\" description=\"Команда номер " +
               QByteArray::number(command) + " &lt;тест&gt;\" polldata=\"1\" exportdata=\"1\"" +
               (command % 5 == 0 ? " maxindex=\"4\"" : "") +
               ">\n"
               "      <parameter type=\"integer\" description=\"Период записи\" suffix=\"с\" "
               "minvalue=\"5\" maxvalue=\"3600\" defaultvalue=\"30\"/>\n"
               "      <parameter type=\"string\" description=\"Адрес сервера\" maxlen=\"64\" "
               "onchar_mask=\"^[0-9A-Za-z.\\-]*$\" defaultvalue=\"gps.example.net\"/>\n"
               "      <parameter type=\"hex\" description=\"Маска\" maxlen=\"4\" "
               "maxvalue=\"$FFFF\" defaultvalue=\"00FF\"/>\n"
               "      <parameter type=\"option\" description=\"Режим\" defaultvalue=\"1\">\n"
               "        <option value=\"0\" text=\"Выключен\"/>\n"
               "        <option value=\"1\" text=\"Включен\"/>\n"
               "        <option value=\"2\" text=\"По событию\"/>\n"
               "      </parameter>\n"
               "    </command>\n";
        ++command;
    }
    xml += "  </page>\n</profile>\n";
    return xml;
}

int CommandCount() {
    int n = 0;
    for (const TCmdPage& page : DevCommands)
        n += int(page.Commands.size());
    return n;
}

void Report(const char* what, double megabytes, int commands, qint64 bestNs, qint64 totalNs) {
    std::printf("%s (%.1f MB, %d commands): best %.1f ms, mean %.1f ms over %d runs\n", what,
                megabytes, commands, bestNs / 1e6, totalNs / 1e6 / kRuns, kRuns);
}

template <typename F> void Measure(const char* what, double megabytes, F load) {
    qint64 best = -1;
    qint64 total = 0;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        load();
        const qint64 ns = timer.nsecsElapsed();
        total += ns;
        if (best < 0 || ns < best)
            best = ns;
    }
    Report(what, megabytes, CommandCount(), best, total);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QByteArray profile = GenerateProfile();
    const double megabytes = double(profile.size()) / (1 << 20);

    Measure("profile load from memory", megabytes,
            [&profile] { LoadCommandProfileFromData(profile); });

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cmdprofile.xml"));
    QFile file(path);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly) ||
        file.write(profile) != profile.size()) {
        std::printf("cannot write %s\n", qPrintable(path));
        return 1;
    }
    file.close();
    Measure("profile load from file", megabytes, [&path] { LoadCommandProfile(path); });

    // The reader alone, to tell its share from the loader's.
    int parts = 0;
    Measure("xml scan only", megabytes, [&profile, &parts] {
        TXmlParser xml;
        xml.LoadFromBuffer(profile);
        parts = 0;
        while (xml.Scan())
            ++parts;
    });
    std::printf("xml parts per scan: %d\n", parts);

    // Hostile input of the same size: must stay linear.
    const QByteArray brackets(profile.size(), '<');
    Measure("profile load of 1 MB of '<'", megabytes,
            [&brackets] { LoadCommandProfileFromData(brackets); });
    return 0;
}
