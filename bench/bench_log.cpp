// Prints how long 10,000 single-line log writes take with the line cap in force.
#include "app/Settings.h"
#include "app/TfmMain.h"
#include "link/LogKind.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

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

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kLines; ++i) {
        fm.WriteLog(QStringLiteral("+RESP:SGDT,%1,0,1,\"internet\",,,0").arg(i), i % 5);
    }
    QCoreApplication::processEvents();
    const qint64 ms = timer.elapsed();
    std::printf("log: %d single-line WriteLog calls (1000-line cap): %lld ms (%.1f us/line)\n",
                kLines, static_cast<long long>(ms), ms * 1000.0 / kLines);
    return 0;
}
