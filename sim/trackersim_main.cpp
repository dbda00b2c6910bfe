#include "TrackerSim.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    TTrackerSim sim;
    return 0;
}
