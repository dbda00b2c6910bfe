// Prints how long the parameter pages take to build: for a generated profile
// of 2000 parameters, for the main window opening with the shipped profile,
// and for the window opening with no profile at all (the floor). Each opening
// is timed in a fresh process, so every figure includes the same first-window
// costs. Figures, not verdicts.

#include "app/TfmMain.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

constexpr char kChildArgument[] = "--open-window";
constexpr char kProfileFileName[] = "cmdprofile.xml";
constexpr int kPages = 10;
constexpr int kCommandsPerPage = 20;
constexpr int kParamsPerCommand = 10; // 10 x 20 x 10 = 2000 parameters
constexpr int kIndexedEvery = 5;      // every fifth command has two rows of half the parameters
constexpr int kRuns = 3;
constexpr int kChildTimeoutMs = 60000;

// The machine may be shared: processor time shows the work without the waiting.
double CpuMs(std::clock_t since) {
    return double(std::clock() - since) * 1000.0 / CLOCKS_PER_SEC;
}

TCmdParameter GeneratedParam(int k) {
    TCmdParameter p;
    p.Description = QStringLiteral("Параметр номер %1 с описанием средней длины").arg(k);
    p.Optional = k % 3 != 0;
    p.ParamKind = TParamKind(k % 4);
    switch (p.ParamKind) {
    case pkInteger:
        p.MinValue = 0;
        p.MaxValue = 3600;
        p.DefaultValue = QStringLiteral("60");
        p.Suffix = QStringLiteral("сек");
        break;
    case pkString:
        p.MaxLen = 32;
        p.OnCharMask = QStringLiteral("^[0-9A-Za-z]*$");
        p.OnLeaveMask = QStringLiteral("^[0-9A-Za-z]{1,32}$");
        p.DefaultValue = QStringLiteral("abc");
        break;
    case pkHex:
        p.MaxLen = 8;
        p.MaxValue = 65535;
        p.DefaultValue = QStringLiteral("0000FFFF");
        break;
    case pkOption:
        for (int i = 0; i < 4; ++i)
            p.Options.append({QString::number(i), QStringLiteral("Вариант %1").arg(i)});
        p.DefaultValue = QStringLiteral("2");
        break;
    }
    return p;
}

int GenerateProfile() {
    DevCommands.clear();
    int params = 0;
    for (int pg = 0; pg < kPages; ++pg) {
        TCmdPage page;
        page.PageId = QStringLiteral("p%1").arg(pg);
        page.PageName = QStringLiteral("Страница %1").arg(pg);
        for (int c = 0; c < kCommandsPerPage; ++c) {
            TDevCommand cmd;
            cmd.CommandName = QStringLiteral("+C%1_%2").arg(pg).arg(c);
            cmd.Description = QStringLiteral("Команда %1").arg(c);
            cmd.PollData = true;
            const bool indexed = c % kIndexedEvery == 0;
            cmd.MaxIndex = indexed ? 2 : -1;
            cmd.Indexed = indexed;
            const int count = indexed ? kParamsPerCommand / 2 : kParamsPerCommand;
            for (int k = 0; k < count; ++k)
                cmd.Parameters.append(GeneratedParam(k));
            params += count * cmd.RowCount();
            page.Commands.append(cmd);
        }
        DevCommands.append(page);
    }
    return params;
}

// Child: open the window beside whatever profile lies in its folder.
int OpenWindowOnce() {
    QTemporaryDir settings;
    SetSettingsFolder(settings.path());
    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpu = std::clock();
    TfmMain fm;
    fm.show();
    QCoreApplication::processEvents();
    std::printf("%.1f/%.1f %d\n", timer.nsecsElapsed() / 1e6, CpuMs(cpu),
                int(fm.PageControl1->count()));
    return 0;
}

// Runs a copy of this program in a folder of its own, with or without the
// shipped profile; returns the child's "milliseconds pages" line.
QString TimeOpening(bool withProfile) {
    QTemporaryDir folder;
    const QString exe = QDir(folder.path()).filePath(QStringLiteral("bench_pages"));
    QFile::copy(QCoreApplication::applicationFilePath(), exe);
    QFile::setPermissions(exe, QFile::permissions(exe) | QFileDevice::ExeOwner);
    if (withProfile)
        QFile::copy(QDir(QCoreApplication::applicationDirPath())
                        .filePath(QString::fromLatin1(kProfileFileName)),
                    QDir(folder.path()).filePath(QString::fromLatin1(kProfileFileName)));
    QStringList times;
    QString pages;
    for (int run = 0; run < kRuns; ++run) {
        QProcess child;
        child.start(exe, {QString::fromLatin1(kChildArgument)});
        if (!child.waitForFinished(kChildTimeoutMs))
            return QStringLiteral("child did not finish");
        const QStringList parts =
            QString::fromLatin1(child.readAllStandardOutput()).trimmed().split(QLatin1Char(' '));
        if (parts.size() != 2)
            return QStringLiteral("child failed");
        times << parts[0];
        pages = parts[1];
    }
    return times.join(QStringLiteral(", ")) + QStringLiteral(" ms wall/cpu (") + pages +
           QStringLiteral(" pages)");
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], kChildArgument) == 0)
        return OpenWindowOnce();

    std::printf("window opening, empty profile (floor): %s\n", qPrintable(TimeOpening(false)));
    std::printf("window opening, shipped profile:       %s\n", qPrintable(TimeOpening(true)));

    QTemporaryDir settings;
    SetSettingsFolder(settings.path());
    TfmMain fm;
    const int params = GenerateProfile();
    QVector<double> times;
    QVector<double> cpuTimes;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        const std::clock_t cpu = std::clock();
        fm.BuildPages(); // from the second run on, this also destroys the previous pages
        times.append(timer.nsecsElapsed() / 1e6);
        cpuTimes.append(CpuMs(cpu));
        // What the event loop does between two builds (every new widget has
        // posted a polish request); left queued, each deletion would scan it.
        QCoreApplication::sendPostedEvents();
    }
    std::sort(times.begin(), times.end());
    std::sort(cpuTimes.begin(), cpuTimes.end());
    std::printf("BuildPages, %d parameters on %d pages: median %.1f ms wall (min %.1f, max %.1f), "
                "median %.1f ms cpu\n",
                params, int(fm.PageControl1->count()), times[kRuns / 2], times.first(),
                times.last(), cpuTimes[kRuns / 2]);
    fm.show();
    QElapsedTimer shown;
    shown.start();
    for (int p = 0; p < fm.PageControl1->count(); ++p) {
        fm.PageControl1->setCurrentIndex(p);
        QCoreApplication::processEvents();
    }
    std::printf("showing each of the %d generated pages once: %.1f ms\n",
                int(fm.PageControl1->count()), shown.nsecsElapsed() / 1e6);
    return 0;
}
