#pragma once

// Ctrl+C (SIGINT), SIGTERM and SIGHUP (the terminal or the ssh session is
// gone) ask the run to stop: workers look between exchanges, finish the one
// under way, stop a status stream, leave command mode and end. A second
// SIGINT or SIGTERM ends the program at once; SIGHUP never does, as a
// dropped session may send it twice.
//
// A closed output (SIGPIPE, or a write that finds its pipe closed, as in
// "velmora-cli status | head") asks the same, but is no fault of the
// trackers: a status stream ended by it ends normally.
void InstallInterruptHandler();
// A stop was asked for, by a signal or by a closed output.
bool Interrupted();
// The stop was asked for by a closed output alone.
bool OutputClosed();
void NoteOutputClosed();
// For tests and for a run that ends by itself.
void SetInterrupted(bool on);
