#pragma once

struct TCliCommand;
struct TCliOptions;
class QString;

// Runs a command of the table (its Run, else its PortWork on every port).
int RunCliCommand(const TCliCommand& command, const TCliOptions& options);

// A port command (read, write, diff with a port, status): its PortWork on
// one thread per port, results collected and printed. Returns the exit status.
int RunTrackers(const TCliOptions& options, const TCliCommand& command);

// Prints a usage error; returns ceUsage.
int UsageError(const QString& message);
