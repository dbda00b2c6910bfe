// Prints what the installation check costs per status report over thirty
// minutes of the simulated stream (a report every 500 ms): decoding, the
// criteria, the panel and the plots redrawn with the whole history.
#include "StatusReports.h"
#include "check/CheckPanel.h"
#include "check/InstallCheck.h"
#include "check/StatusHistory.h"
#include "report/CheckPlots.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <ctime>

namespace {
constexpr int kPeriodMs = 500;
constexpr int kPeriods = 30 * 60 * 1000 / kPeriodMs;
constexpr int kTimedPeriods = 100;
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TStatusReports stream(kPeriodMs);
    TInstallCheck check;
    TStatusHistory history;
    TCheckPanel panel;
    TCheckPlots plots;
    panel.show();
    plots.resize(plots.sizeHint());
    plots.show();
    QCoreApplication::processEvents();

    // The history fills without drawing, then the last reports are timed
    // with everything redrawn after each: the steady state of a long check.
    QElapsedTimer timer;
    timer.start();
    std::clock_t cpu = std::clock();
    const auto cpuMsSince = [](std::clock_t from) {
        return double(std::clock() - from) * 1000.0 / CLOCKS_PER_SEC;
    };
    double updateMs = 0, paintMs = 0;
    for (int n = 0; n < kPeriods; ++n) {
        const bool timed = n >= kPeriods - kTimedPeriods;
        if (n == kPeriods - kTimedPeriods) {
            std::printf("check: %d reports decoded and judged: %lld ms wall, %.0f ms CPU\n", n,
                        static_cast<long long>(timer.restart()), cpuMsSince(cpu));
            cpu = std::clock();
        }
        const qint64 ms = qint64(n) * kPeriodMs;
        for (const QString& line : stream.Lines(n)) {
            const TStatusReading reading = ReadStatusReport(line);
            history.Add(reading, ms);
            check.Add(reading, ms);
        }
        if (!timed)
            continue;
        std::clock_t part = std::clock();
        panel.ShowCheck(check);
        plots.ShowHistory(history);
        updateMs += cpuMsSince(part);
        part = std::clock();
        plots.viewport()->repaint();
        panel.repaint();
        paintMs += cpuMsSince(part);
    }
    std::printf("check: with %lld points per series, per report %.2f ms CPU (%.2f updating "
                "series and axes, %.2f painting), %.1f ms wall\n",
                static_cast<long long>(history.Points(tsSupply).size()),
                cpuMsSince(cpu) / kTimedPeriods, updateMs / kTimedPeriods, paintMs / kTimedPeriods,
                double(timer.elapsed()) / kTimedPeriods);
    return 0;
}
