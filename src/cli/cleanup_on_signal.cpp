#include "cli/cleanup_on_signal.h"

#include <climits>
#include <csignal>
#include <cstring>
#include <initializer_list>
#include <unistd.h>

namespace corvane::cli {

namespace {

// A plan and a chart at most, each with one name at a time. The handler
// may only read these, so they are plain arrays with a flag per slot.
constexpr int kSlots = 4;
char gNames[kSlots][PATH_MAX];
volatile std::sig_atomic_t gUsed[kSlots];

extern "C" void RemoveAndDie(int signal) {
    for (int i = 0; i < kSlots; ++i)
        if (gUsed[i]) ::unlink(gNames[i]);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

void InstallCleanupOnSignal() {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction action {};
        action.sa_handler = RemoveAndDie;
        sigemptyset(&action.sa_mask);
        for (const int other : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&action.sa_mask, other);
        sigaction(signal, &action, nullptr);
    }
    // A reader that went away is told as a failed write (EPIPE), with words.
    std::signal(SIGPIPE, SIG_IGN);
}

bool RemoveOnSignal(const char* path) {
    if (std::strlen(path) >= PATH_MAX) return false;
    for (int i = 0; i < kSlots; ++i) {
        if (gUsed[i]) continue;
        std::strcpy(gNames[i], path);
        gUsed[i] = 1;
        return true;
    }
    return false;
}

void ForgetOnSignal(const char* path) {
    for (int i = 0; i < kSlots; ++i)
        if (gUsed[i] && std::strcmp(gNames[i], path) == 0) gUsed[i] = 0;
}

}  // namespace corvane::cli
