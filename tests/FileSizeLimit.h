#pragma once

#include <csignal>
#include <sys/resource.h>

// While it lives, writing a file past limit bytes fails (EFBIG) the way a
// full disk does, even for root; SIGXFSZ is ignored so that the write fails
// instead of the test.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t limit) {
        FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &FOld);
        rlimit lowered = FOld;
        lowered.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~TFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FOldHandler);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit FOld{};
    void (*FOldHandler)(int) = SIG_DFL;
};
