#include "CliInterrupt.h"

#include <atomic>
#include <csignal>

namespace {

std::atomic<bool> gInterrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set from a signal handler");

extern "C" void OnInterrupt(int signal) {
    if (gInterrupted.exchange(true)) {
        // Asked twice: the operator wants out now.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
}

} // namespace

void InstallInterruptHandler() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool Interrupted() {
    return gInterrupted.load();
}

void SetInterrupted(bool on) {
    gInterrupted.store(on);
}
