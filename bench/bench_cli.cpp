// Reads the shipped profile with velmora-cli from one simulated tracker and
// then from eight at once, and prints both times side by side. Eight ports
// run on threads of their own, so the batch should take about as long as one
// tracker (the target: no more than 1.5 times).

#include "TrackerSim.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <memory>
#include <vector>

namespace {
constexpr int kTrackers = 8;
constexpr int kTimeoutMs = 250;
constexpr int kRunLimitMs = 300000;
constexpr double kTargetRatio = 1.5;
constexpr char kPassword[] = "2222";
constexpr char kMaster[] = "9981";

bool WriteIni(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream out(&file);
    out << "[Connection]\r\nTimeout=" << kTimeoutMs << "\r\nTimeoutInterval=" << kTimeoutMs
        << "\r\nTimeoutEcho=" << kTimeoutMs << "\r\n[Device]\r\nPassword=" << kPassword
        << "\r\nMasterPassword=" << kMaster << "\r\n";
    return true;
}

// Milliseconds of one read run over the ports; -1 when it failed.
qint64 TimedRead(const QString& ini, const QString& profile, const QStringList& ports,
                 const QString& outPattern) {
    QStringList args{QStringLiteral("read"),
                     QStringLiteral("--ini"),
                     ini,
                     QStringLiteral("--profile"),
                     profile,
                     QStringLiteral("--out"),
                     outPattern};
    for (const QString& p : ports)
        args << QStringLiteral("--port") << p;
    QProcess cli;
    QElapsedTimer clock;
    clock.start();
    cli.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("velmora-cli")),
              args);
    if (!cli.waitForFinished(kRunLimitMs) || cli.exitStatus() != QProcess::NormalExit ||
        cli.exitCode() != 0) {
        std::fprintf(stderr, "velmora-cli failed:\n%s%s\n", cli.readAllStandardOutput().constData(),
                     cli.readAllStandardError().constData());
        return -1;
    }
    return clock.elapsed();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::unique_ptr<TTrackerSim>> sims;
    QStringList ports;
    for (int i = 0; i < kTrackers; ++i) {
        auto sim = std::make_unique<TTrackerSim>();
        if (!sim->Start()) {
            std::fprintf(stderr, "simulator: %s\n", qPrintable(sim->ErrorText()));
            return 1;
        }
        sim->SetPasswords(QString::fromLatin1(kPassword), QString::fromLatin1(kMaster));
        ports << sim->SlavePath();
        sims.push_back(std::move(sim));
    }
    QTemporaryDir dir;
    const QString ini = dir.filePath(QString::fromLatin1(kSettingsFileName));
    if (!WriteIni(ini)) {
        std::fprintf(stderr, "cannot write the settings file\n");
        return 1;
    }
    const QString profile =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("cmdprofile.xml"));
    const QString out = dir.filePath(QStringLiteral("{port}.zxml"));

    const qint64 one = TimedRead(ini, profile, ports.mid(0, 1), out);
    const qint64 all = TimedRead(ini, profile, ports, out);
    if (one <= 0 || all <= 0)
        return 1;
    const double ratio = double(all) / double(one);
    std::printf("cli read, 1 tracker: %lld ms\n", static_cast<long long>(one));
    std::printf("cli read, %d trackers at once: %lld ms\n", kTrackers, static_cast<long long>(all));
    std::printf("cli read, %d vs 1: %.2fx (target <= %.1fx)\n", kTrackers, ratio, kTargetRatio);
    return 0;
}
