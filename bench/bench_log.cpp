// Prints how long 10,000 single-line log writes take with the line cap in force.
#include "app/TfmMain.h"
#include "base/LogKind.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

namespace {
constexpr int kLines = 10000;
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SetSettingsFolder(dir.path());
    TfmMain fm;
    fm.show();
    QCoreApplication::processEvents();

    // CPU time beside the wall clock: on a busy machine the wall clock says
    // more about the neighbours than about the log.
    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpuStart = std::clock();
    for (int i = 0; i < kLines; ++i) {
        fm.WriteLog(QStringLiteral("+RESP:SGDT,%1,0,1,\"internet\",,,0").arg(i), i % 5);
    }
    QCoreApplication::processEvents();
    const qint64 ms = timer.elapsed();
    const double cpuMs = double(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC;
    std::printf("log: %d single-line WriteLog calls (1000-line cap): %lld ms wall, %.0f ms CPU "
                "(%.1f us/line)\n",
                kLines, static_cast<long long>(ms), cpuMs, cpuMs * 1000.0 / kLines);
    return 0;
}
