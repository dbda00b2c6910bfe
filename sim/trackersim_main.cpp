// trackersim: the simulated tracker for people. It opens a pseudo-terminal,
// prints the slave's path and serves until SIGINT or SIGTERM.
// SIGUSR1 makes the port vanish, SIGUSR2 brings it back.

#include "TrackerSim.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <csignal>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kSignalPollMs = 100;
constexpr int kMsPerSecond = 1000;
constexpr int kMaxToggleSeconds = 86400;

int ToInt(const QCommandLineParser& p, const QCommandLineOption& o, int fallback) {
    bool ok = false;
    const int v = p.value(o).toInt(&ok);
    return ok ? v : fallback;
}

} // namespace

int main(int argc, char** argv) {
    // Signals are taken synchronously by the main thread; the device thread
    // inherits the mask and never sees them.
    sigset_t handled;
    sigemptyset(&handled);
    for (int s : {SIGINT, SIGTERM, SIGHUP, SIGUSR1, SIGUSR2})
        sigaddset(&handled, s);
    pthread_sigmask(SIG_BLOCK, &handled, nullptr);

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("trackersim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulated GPS/GSM tracker on a pseudo-terminal. SIGUSR1 unplugs it, "
                       "SIGUSR2 plugs it back in."));
    parser.addHelpOption();
    const QCommandLineOption profile(QStringLiteral("profile"),
                                     QStringLiteral("Command profile (default: cmdprofile.xml "
                                                    "beside the program)."),
                                     QStringLiteral("path"));
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Publish the port as this symbolic link."),
                                  QStringLiteral("path"));
    const QCommandLineOption noEcho(QStringLiteral("no-echo"), QStringLiteral("Do not echo."));
    const QCommandLineOption cmdMode(QStringLiteral("cmd-mode"),
                                     QStringLiteral("Start already in command mode."));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("User password."),
                                  QStringLiteral("pw"),
                                  QLatin1String(TTrackerSim::kDefaultUserPassword));
    const QCommandLineOption master(QStringLiteral("master"), QStringLiteral("Master password."),
                                    QStringLiteral("pw"),
                                    QLatin1String(TTrackerSim::kDefaultMasterPassword));
    const QCommandLineOption byteDelay(QStringLiteral("byte-delay"),
                                       QStringLiteral("Pause before every byte sent."),
                                       QStringLiteral("ms"));
    const QCommandLineOption chunk(QStringLiteral("chunk"),
                                   QStringLiteral("Send answers in pieces of this many bytes."),
                                   QStringLiteral("bytes"));
    const QCommandLineOption chunkPause(QStringLiteral("chunk-pause"),
                                        QStringLiteral("Pause between the pieces (default 100)."),
                                        QStringLiteral("ms"), QStringLiteral("100"));
    const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Answer nothing."));
    const QCommandLineOption garbage(QStringLiteral("garbage"),
                                     QStringLiteral("Garbage lines 'before' or 'instead' of "
                                                    "answers."),
                                     QStringLiteral("where"));
    const QCommandLineOption payload(QStringLiteral("payload"),
                                     QStringLiteral("Pad answers to this many bytes after the "
                                                    "echo."),
                                     QStringLiteral("bytes"));
    const QCommandLineOption longAnswers(QStringLiteral("long"),
                                         QStringLiteral("Pad answers beyond 300 bytes."));
    const QCommandLineOption crPrompt(QStringLiteral("cr-prompt"),
                                      QStringLiteral("Answer the entry with CR '>' instead of "
                                                     "CR LF '>'."));
    const QCommandLineOption unsupported(QStringLiteral("unsupported"),
                                         QStringLiteral("Answer NOT SUPPORTED to this command "
                                                        "(repeatable)."),
                                         QStringLiteral("command"));
    const QCommandLineOption refuse(QStringLiteral("refuse"),
                                    QStringLiteral("Keep the old value of this parameter on "
                                                   "writes, e.g. +SLED/1 (repeatable)."),
                                    QStringLiteral("command/parameter"));
    const QCommandLineOption vanishAfter(QStringLiteral("vanish-after"),
                                         QStringLiteral("Unplug when the line after the next n "
                                                        "arrives."),
                                         QStringLiteral("n"));
    const QCommandLineOption reappearAfter(QStringLiteral("reappear-after"),
                                           QStringLiteral("Plug back in this long after "
                                                          "unplugging."),
                                           QStringLiteral("ms"));
    const QCommandLineOption streamPeriod(QStringLiteral("stream-period"),
                                          QStringLiteral("Status report period (default 500)."),
                                          QStringLiteral("ms"));
    const QCommandLineOption fixDelay(
        QStringLiteral("fix-delay"),
        QStringLiteral("No navigation fix for this long after the stream starts (default %1).")
            .arg(TSimInstallation::kDefaultFixDelayMs),
        QStringLiteral("ms"));
    const QCommandLineOption ignitionEvery(QStringLiteral("ignition-every"),
                                           QStringLiteral("Turn the ignition on and off every n "
                                                          "seconds of streaming (default: off)."),
                                           QStringLiteral("n"));
    const QCommandLineOption fault(QStringLiteral("fault"),
                                   QStringLiteral("A fault of the installation (repeatable): %1.")
                                       .arg(TSimInstallation::FaultNames()),
                                   QStringLiteral("name"));
    for (const auto* o :
         {&profile,      &link,     &noEcho,        &cmdMode, &user,        &master,
          &byteDelay,    &chunk,    &chunkPause,    &silent,  &garbage,     &payload,
          &longAnswers,  &crPrompt, &unsupported,   &refuse,  &vanishAfter, &reappearAfter,
          &streamPeriod, &fixDelay, &ignitionEvery, &fault})
        parser.addOption(*o);
    parser.process(app);

    TTrackerSim sim;
    sim.SetEcho(!parser.isSet(noEcho));
    sim.SetInCommandMode(parser.isSet(cmdMode));
    sim.SetPasswords(parser.value(user), parser.value(master));
    sim.SetByteDelay(ToInt(parser, byteDelay, 0));
    if (parser.isSet(chunk))
        sim.SetChunking(ToInt(parser, chunk, 0), ToInt(parser, chunkPause, 100));
    sim.SetSilent(parser.isSet(silent));
    if (parser.isSet(garbage))
        sim.SetGarbage(parser.value(garbage) == QLatin1String("before") ? TTrackerSim::gmBefore
                                                                        : TTrackerSim::gmInstead);
    sim.SetAnswerPayloadSize(ToInt(parser, payload, 0));
    sim.SetLongAnswers(parser.isSet(longAnswers));
    sim.SetEntryPromptLF(!parser.isSet(crPrompt));
    for (const QString& c : parser.values(unsupported))
        sim.SetUnsupported(c, true);
    for (const QString& r : parser.values(refuse)) {
        bool ok = false;
        const int param = r.section(QLatin1Char('/'), 1).toInt(&ok);
        if (!ok || param < 0) {
            std::fprintf(stderr, "trackersim: --refuse wants command/parameter: %s\n",
                         qPrintable(r));
            return 1;
        }
        sim.SetRefusedValue(r.section(QLatin1Char('/'), 0, 0), param, true);
    }
    if (parser.isSet(vanishAfter))
        sim.VanishAfter(ToInt(parser, vanishAfter, -1));
    sim.SetStreamPeriod(ToInt(parser, streamPeriod, TTrackerSim::kDefaultStreamPeriodMs));
    TSimInstallation& unit = sim.Installation();
    unit.SetFixDelay(ToInt(parser, fixDelay, TSimInstallation::kDefaultFixDelayMs));
    unit.SetIgnitionToggle(qBound(0, ToInt(parser, ignitionEvery, 0), kMaxToggleSeconds) *
                           kMsPerSecond);
    for (const QString& name : parser.values(fault)) {
        const TInstallFault f = TSimInstallation::FaultByName(name);
        if (f == ifCount) {
            std::fprintf(stderr, "trackersim: --fault wants one of %s: %s\n",
                         qPrintable(TSimInstallation::FaultNames()), qPrintable(name));
            return 1;
        }
        unit.SetFault(f, true);
    }
    sim.UseInstallationStream();

    if (!sim.Start(parser.value(profile))) {
        std::fprintf(stderr, "trackersim: %s\n", qPrintable(sim.ErrorText()));
        return 1;
    }
    if (parser.isSet(link) && !sim.PublishLink(parser.value(link))) {
        std::fprintf(stderr, "trackersim: %s\n", qPrintable(sim.ErrorText()));
        sim.Stop();
        return 1;
    }
    std::printf("%s\n", qPrintable(sim.SlavePath()));
    if (!sim.LinkPath().isEmpty())
        std::fprintf(stderr, "trackersim: serving on %s (link %s)\n", qPrintable(sim.SlavePath()),
                     qPrintable(sim.LinkPath()));
    std::fflush(stdout);

    const int reappearMs = ToInt(parser, reappearAfter, -1);
    QElapsedTimer vanishedFor;
    bool wasVanished = false;
    for (;;) {
        timespec wait{0, kSignalPollMs * 1000000L};
        const int s = sigtimedwait(&handled, nullptr, &wait);
        if (s == SIGINT || s == SIGTERM || s == SIGHUP)
            break;
        if (s == SIGUSR1)
            sim.Vanish();
        if (s == SIGUSR2 && sim.Reappear())
            std::printf("%s\n", qPrintable(sim.SlavePath()));
        const bool vanished = sim.Vanished();
        if (vanished && !wasVanished) {
            std::fprintf(stderr, "trackersim: port vanished\n");
            vanishedFor.start();
        }
        wasVanished = vanished;
        if (vanished && reappearMs >= 0 && vanishedFor.elapsed() >= reappearMs && sim.Reappear()) {
            std::fprintf(stderr, "trackersim: port back on %s\n", qPrintable(sim.SlavePath()));
            std::printf("%s\n", qPrintable(sim.SlavePath()));
            wasVanished = false;
        }
        std::fflush(stdout);
    }
    sim.Stop();
    return 0;
}
