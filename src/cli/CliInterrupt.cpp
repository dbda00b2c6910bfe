#include "CliInterrupt.h"

#include <atomic>
#include <csignal>

namespace {

// Why a stop was asked for; set from signal handlers.
constexpr int kAskedToStop = 1; // SIGINT, SIGTERM
constexpr int kHungUp = 2;      // SIGHUP
constexpr int kOutputGone = 4;  // SIGPIPE, or EPIPE on a write

std::atomic<int> gStop{0};
static_assert(std::atomic<int>::is_always_lock_free, "the flags are set from signal handlers");

extern "C" void OnInterrupt(int signal) {
    if (gStop.fetch_or(kAskedToStop) & kAskedToStop) {
        // Asked twice: the operator wants out now.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
}

extern "C" void OnHangUp(int) {
    gStop.fetch_or(kHungUp);
}

extern "C" void OnBrokenPipe(int) {
    gStop.fetch_or(kOutputGone);
}

void Install(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
}

} // namespace

void InstallInterruptHandler() {
    Install(SIGINT, OnInterrupt);
    Install(SIGTERM, OnInterrupt);
    Install(SIGHUP, OnHangUp);
    Install(SIGPIPE, OnBrokenPipe);
}

bool Interrupted() {
    return gStop.load() != 0;
}

bool OutputClosed() {
    return gStop.load() == kOutputGone;
}

void NoteOutputClosed() {
    gStop.fetch_or(kOutputGone);
}

void SetInterrupted(bool on) {
    gStop.store(on ? kAskedToStop : 0);
}
