// Reads every readable command of the shipped profile from the simulated
// tracker and prints, per command, the time the exchange took beside the
// time the bytes would need on a real 115200-baud line (10 bits a byte).
// The gap is what the read time-outs cost; it is a figure, not a verdict.
// No window is created: the link runs on its own with a console host.

#include "TrackerSim.h"
#include "config/ParamValueTable.h"
#include "link/ComPort.h"
#include "link/DeviceLink.h"
#include "profile/ProfileLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>

namespace {
constexpr int kBaud = 115200;
constexpr int kBitsPerByte = 10;
constexpr int kDefaultTimeoutMs = 250;
constexpr int kEntryTimeoutMs = 10000;
constexpr char kPassword[] = "2222";
constexpr char kMaster[] = "9981";

double WireMs(qint64 bytes) {
    return double(bytes) * kBitsPerByte * 1000.0 / kBaud;
}

// Enters command mode unattended; everything else stays quiet.
class TBenchHost : public TNullLinkHost {
public:
    bool RunConnectDialog(TDeviceLink& link) override {
        return RunUnattendedEntry(link, kEntryTimeoutMs);
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);

    TTrackerSim sim;
    if (!sim.Start()) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(sim.ErrorText()));
        return 1;
    }
    sim.SetPasswords(QString::fromLatin1(kPassword), QString::fromLatin1(kMaster));
    LoadCommandProfile(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("cmdprofile.xml")));

    TLinkSettings settings;
    settings.Port = sim.SlavePath();
    settings.Speed = kBaud;
    settings.Timeout = kDefaultTimeoutMs;
    settings.TimeoutInterval = kDefaultTimeoutMs;
    settings.TimeoutEcho = kDefaultTimeoutMs;
    settings.Password = QString::fromLatin1(kPassword);
    settings.MasterPassword = QString::fromLatin1(kMaster);
    settings.ActivePassword = settings.MasterPassword;
    settings.RetryCount = 1;

    TBenchHost host;
    TParamValueTable values;
    TDeviceLink link;
    link.SetHost(&host);
    link.SetValues(&values);
    link.ApplySettings(settings);

    QElapsedTimer entry;
    entry.start();
    if (!link.EnterCommandMode()) {
        std::fprintf(stderr, "command mode not reached\n");
        return 1;
    }
    std::printf("command-mode entry: %lld ms\n\n", static_cast<long long>(entry.elapsed()));
    std::printf("time-outs %d/%d/%d ms, %d baud\n", kDefaultTimeoutMs, kDefaultTimeoutMs,
                kDefaultTimeoutMs, kBaud);
    std::printf("%-8s %6s %6s %10s %10s %8s\n", "command", "sent", "recv", "wire ms", "took ms",
                "x wire");

    qint64 totalBytes = 0;
    qint64 totalMs = 0;
    int count = 0;
    for (int p = 0; p < DevCommands.size(); ++p) {
        for (int c = 0; c < DevCommands[p].Commands.size(); ++c) {
            const TDevCommand& cmd = DevCommands[p].Commands[c];
            if (!cmd.PollData)
                continue;
            const QString request = QStringLiteral("AT") + cmd.CommandName + QStringLiteral("=?");
            QElapsedTimer t;
            t.start();
            const TExchangeResult x = link.ExchangeCommand(request, QString(), true, false, true);
            link.AnswerReceived = true;
            link.RunPollProcessor({p, c, 0, 0}, x.answer);
            const qint64 ms = t.elapsed();
            const qint64 sent = request.size() + 1;
            const qint64 received = x.answer.size();
            const double wire = WireMs(sent + received);
            std::printf("%-8s %6lld %6lld %10.2f %10lld %8.1f%s\n", qPrintable(cmd.CommandName),
                        static_cast<long long>(sent), static_cast<long long>(received), wire,
                        static_cast<long long>(ms), wire > 0 ? double(ms) / wire : 0.0,
                        x.failed ? "  FAILED" : (link.AnswerReceived ? "" : "  no answer"));
            totalBytes += sent + received;
            totalMs += ms;
            ++count;
            if (!link.InCommandMode)
                link.EnterCommandMode();
        }
    }
    std::printf("\n%d commands, %lld bytes: wire %.1f ms, took %lld ms (%.1f ms a command, "
                "wire %.2f ms a command)\n",
                count, static_cast<long long>(totalBytes), WireMs(totalBytes),
                static_cast<long long>(totalMs), count ? double(totalMs) / count : 0.0,
                count ? WireMs(totalBytes) / count : 0.0);
    std::printf("Each answer ends only after the device stays quiet for TimeoutInterval "
                "(%d ms): that gap, not the line, sets the pace.\n",
                kDefaultTimeoutMs);
    link.ComPort1->Close();
    sim.Stop();
    return 0;
}
