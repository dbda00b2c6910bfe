#pragma once

#include "CliOptions.h"

// The subcommands that talk to trackers (read, write, diff with a port,
// status): one thread per port, results collected and printed. Returns the
// exit status.
int RunTrackers(const TCliOptions& options);

// diff A.zxml B.zxml: no tracker involved.
int RunFileDiff(const TCliOptions& options);

int RunCheckProfile(const TCliOptions& options);
