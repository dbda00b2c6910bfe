#include "TrackerSim.h"

TTrackerSim::TTrackerSim(QObject* parent) : QObject(parent) {}
TTrackerSim::~TTrackerSim() = default;
