#pragma once

// Ctrl+C (SIGINT) and SIGTERM set one flag; workers look at it between
// exchanges, finish the one under way, leave command mode and end. A second
// signal ends the program at once.
void InstallInterruptHandler();
bool Interrupted();
// For tests and for a run that ends by itself.
void SetInterrupted(bool on);
