// Reads the same readable commands of the shipped profile from the simulated
// tracker with answers ended on the device's prompt and with answers ended on
// the time-outs, and prints, per command and side by side, the time each
// exchange took beside the time its bytes would need on the line (10 bits a
// byte), plus the command-mode entry of each run. The pty carries the bytes at
// once, so at 115200 what a read takes is what its ending costs; at 9600 the
// simulator sends a byte a millisecond, close to that line's own pace.
// Figures, not a verdict.
// No window is created: the link runs on its own with a console host.

#include "TrackerSim.h"
#include "config/ParamValueTable.h"
#include "link/ComPort.h"
#include "link/DeviceLink.h"
#include "profile/ProfileLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QVector>
#include <cstdio>

namespace {
constexpr int kFastBaud = 115200;
constexpr int kSlowBaud = 9600;
constexpr int kBitsPerByte = 10;
// The simulator's pause before every byte it sends at 9600 baud (a byte
// takes 1.04 ms there).
constexpr int kSlowPaceMs = 1;
constexpr int kDefaultTimeoutMs = 250;
constexpr int kEntryTimeoutMs = 10000;
// Enough commands for a steady average, few enough that a run ended on the
// time-outs stays a few seconds long.
constexpr int kCommandsPerRun = 8;
// Target with answers ended on the prompt: this many wire times plus the slack.
constexpr double kTargetWireFactor = 2.0;
constexpr double kTargetSlackMs = 5.0;
constexpr double kEntryTargetMs = 50.0;
constexpr double kNsPerMs = 1e6;
constexpr char kPassword[] = "2222";
constexpr char kMaster[] = "9981";

double WireMs(qint64 bytes, int baud) {
    return double(bytes) * kBitsPerByte * 1000.0 / baud;
}

double ElapsedMs(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / kNsPerMs;
}

// Enters command mode unattended; everything else stays quiet.
class TBenchHost : public TNullLinkHost {
public:
    bool RunConnectDialog(TDeviceLink& link) override {
        return RunUnattendedEntry(link, kEntryTimeoutMs);
    }
};

struct TRunPlan {
    int Baud;
    bool EndOnPrompt;
    int PaceMs; // the simulator's pause before each byte it sends
};

struct TRunResult {
    TRunPlan Plan{};
    bool Ok = false;
    double EntryMs = 0;
    QVector<double> ReadMs;   // per command
    QVector<qint64> Bytes;    // per command, sent and received
    QVector<QString> Answers; // per command, to check both runs read the same
    int Failures = 0;
};

QVector<TCmdAddress> ReadableCommands(int count) {
    QVector<TCmdAddress> list;
    for (int p = 0; p < DevCommands.size() && list.size() < count; ++p)
        for (int c = 0; c < DevCommands[p].Commands.size() && list.size() < count; ++c)
            if (DevCommands[p].Commands[c].PollData)
                list.append({p, c, 0, 0});
    return list;
}

QString Request(const TCmdAddress& a) {
    return QStringLiteral("AT") + DevCommands[a.Page].Commands[a.Command].CommandName +
           QStringLiteral("=?");
}

TRunResult Run(TTrackerSim& sim, const TLinkSettings& base, const TRunPlan& plan,
               const QVector<TCmdAddress>& commands) {
    TRunResult r;
    r.Plan = plan;
    TLinkSettings settings = base;
    settings.Speed = plan.Baud;
    settings.EndOnPrompt = plan.EndOnPrompt;

    // A fresh link and a device out of command mode: each run enters anew.
    sim.SetInCommandMode(false);
    sim.SetByteDelay(plan.PaceMs);
    TBenchHost host;
    TParamValueTable values;
    TDeviceLink link;
    link.SetHost(&host);
    link.SetValues(&values);
    link.ApplySettings(settings);
    if (!link.OpenPort())
        return r;

    QElapsedTimer entry;
    entry.start();
    if (!link.EnterCommandMode()) {
        link.ComPort1->Close();
        return r;
    }
    r.EntryMs = ElapsedMs(entry);

    for (const TCmdAddress& a : commands) {
        const QString request = Request(a);
        QElapsedTimer t;
        t.start();
        const TExchangeResult x = link.ExchangeCommand(request, QString(), true, false, true);
        r.ReadMs.append(ElapsedMs(t));
        r.Bytes.append(request.size() + 1 + x.answer.size());
        r.Answers.append(x.answer);
        if (x.failed)
            ++r.Failures;
        if (!link.InCommandMode)
            link.EnterCommandMode();
    }
    link.ComPort1->Close();
    r.Ok = true;
    return r;
}

double Average(const QVector<double>& v) {
    double sum = 0;
    for (double x : v)
        sum += x;
    return v.isEmpty() ? 0.0 : sum / v.size();
}

double AverageWireMs(const TRunResult& r) {
    qint64 sum = 0;
    for (qint64 b : r.Bytes)
        sum += b;
    return r.Bytes.isEmpty() ? 0.0 : WireMs(sum, r.Plan.Baud) / r.Bytes.size();
}

const char* OnOff(bool on) {
    return on ? "on" : "off";
}

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
    const QVector<TCmdAddress> commands = ReadableCommands(kCommandsPerRun);
    if (commands.isEmpty()) {
        std::fprintf(stderr, "no readable commands in the profile\n");
        return 1;
    }

    TLinkSettings base;
    base.Port = sim.SlavePath();
    base.Timeout = kDefaultTimeoutMs;
    base.TimeoutInterval = kDefaultTimeoutMs;
    base.TimeoutEcho = kDefaultTimeoutMs;
    base.Password = QString::fromLatin1(kPassword);
    base.MasterPassword = QString::fromLatin1(kMaster);
    base.RetryCount = 1;

    const TRunPlan plans[] = {{kFastBaud, true, 0},
                              {kFastBaud, false, 0},
                              {kSlowBaud, true, kSlowPaceMs},
                              {kSlowBaud, false, kSlowPaceMs}};
    QVector<TRunResult> runs;
    for (const TRunPlan& plan : plans) {
        runs.append(Run(sim, base, plan, commands));
        if (!runs.last().Ok) {
            std::fprintf(stderr, "%d baud, prompt %s: command mode not reached\n", plan.Baud,
                         OnOff(plan.EndOnPrompt));
            sim.Stop();
            return 1;
        }
    }
    const TRunResult& fastOn = runs[0];
    const TRunResult& fastOff = runs[1];
    const TRunResult& slowOn = runs[2];

    std::printf("time-outs %d/%d/%d ms; read ms with the prompt ending on / off\n",
                kDefaultTimeoutMs, kDefaultTimeoutMs, kDefaultTimeoutMs);
    std::printf("%-8s %6s | %9s %8s %8s | %9s %8s %8s\n", "command", "bytes", "wire@115k", "on",
                "off", "wire@9k6", "on", "off");
    for (int i = 0; i < commands.size(); ++i) {
        const QString name =
            DevCommands[commands[i].Page].Commands[commands[i].Command].CommandName;
        const bool same = fastOn.Answers[i] == fastOff.Answers[i] &&
                          fastOn.Answers[i] == slowOn.Answers[i] &&
                          fastOn.Answers[i] == runs[3].Answers[i];
        std::printf("%-8s %6lld | %9.2f %8.2f %8.2f | %9.2f %8.2f %8.2f%s\n", qPrintable(name),
                    static_cast<long long>(fastOn.Bytes[i]), WireMs(fastOn.Bytes[i], kFastBaud),
                    fastOn.ReadMs[i], fastOff.ReadMs[i], WireMs(fastOn.Bytes[i], kSlowBaud),
                    slowOn.ReadMs[i], runs[3].ReadMs[i], same ? "" : "  ANSWERS DIFFER");
    }

    std::printf("\n%-7s %-6s %-7s %10s %12s %12s %12s %6s\n", "baud", "prompt", "paced", "entry ms",
                "read ms/cmd", "wire ms/cmd", "target ms", "met");
    for (const TRunResult& r : runs) {
        const double read = Average(r.ReadMs);
        const double wire = AverageWireMs(r);
        const double target = kTargetWireFactor * wire + kTargetSlackMs;
        std::printf("%-7d %-6s %-7s %10.2f %12.2f %12.2f %12.2f %6s%s\n", r.Plan.Baud,
                    OnOff(r.Plan.EndOnPrompt), r.Plan.PaceMs > 0 ? "1 ms/B" : "no", r.EntryMs, read,
                    wire, target, r.Plan.EndOnPrompt ? (read <= target ? "yes" : "NO") : "-",
                    r.Failures ? "  FAILURES" : "");
    }
    // One line a figure, for scripts/bench.sh.
    std::printf("\nread at 115200, prompt on: %.2f ms a command (target %.2f)\n",
                Average(fastOn.ReadMs), kTargetWireFactor * AverageWireMs(fastOn) + kTargetSlackMs);
    std::printf("read at 115200, prompt off: %.2f ms a command\n", Average(fastOff.ReadMs));
    std::printf("entry at 115200, prompt on: %.2f ms (target under %.0f)\n", fastOn.EntryMs,
                kEntryTargetMs);
    std::printf("entry at 115200, prompt off: %.2f ms\n", fastOff.EntryMs);
    std::printf("read at 9600, prompt on: %.2f ms a command (wire %.2f)\n", Average(slowOn.ReadMs),
                AverageWireMs(slowOn));
    sim.Stop();
    return 0;
}
