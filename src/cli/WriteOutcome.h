#pragma once

#include "PortJob.h"
#include "commands/CliCommand.h"
#include "ops/TrackerWrite.h"

// --store and --no-verify, as write and restore take them.
QVector<TCliOption> WriteSwitches();
TWriteOptions WriteOptionsOf(const TCliOptions& options);
// The shared write's outcome on the port's result: its words, what the
// tracker did not take, and the store (recorded when tried).
bool TakeWrite(TPortJob& job, const TWriteResult& w);
