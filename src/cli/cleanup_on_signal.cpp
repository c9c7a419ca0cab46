#include "cli/cleanup_on_signal.h"

#include <pthread.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstring>
#include <initializer_list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace corvane::cli {

namespace {

// A plan, a chart and a shift plan, each with one name at a time.
constexpr std::size_t kSlots = 4;

std::mutex& Lock() {
    static std::mutex lock;
    return lock;
}

std::vector<std::string>& Names() {
    static std::vector<std::string> names;
    return names;
}

sigset_t Stopping() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set, signal);
    return set;
}

// Takes the stopping signals as they come, whatever any library (the
// solver installs its own Ctrl+C handler) has made of their handlers:
// they are blocked in every thread and waited for here alone.
void Watch() {
    const sigset_t set = Stopping();
    int signal = 0;
    while (sigwait(&set, &signal) != 0) {
    }
    {
        const std::lock_guard<std::mutex> hold(Lock());
        for (const std::string& name : Names()) ::unlink(name.c_str());
    }
    // Ended by the signal itself, as the shell expects (status 130 for
    // Ctrl+C).
    std::signal(signal, SIG_DFL);
    sigset_t one;
    sigemptyset(&one);
    sigaddset(&one, signal);
    pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
    std::raise(signal);
    std::_Exit(128 + signal);  // in case the signal was caught after all
}

}  // namespace

void InstallCleanupOnSignal() {
    const sigset_t set = Stopping();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread(Watch).detach();
    // A reader that went away is told as a failed write (EPIPE), with words.
    std::signal(SIGPIPE, SIG_IGN);
}

bool RemoveOnSignal(const char* path) {
    const std::lock_guard<std::mutex> hold(Lock());
    if (std::strlen(path) >= PATH_MAX || Names().size() >= kSlots) return false;
    Names().emplace_back(path);
    return true;
}

void ForgetOnSignal(const char* path) {
    const std::lock_guard<std::mutex> hold(Lock());
    auto& names = Names();
    for (auto it = names.begin(); it != names.end(); ++it)
        if (*it == path) {
            names.erase(it);
            return;
        }
}

}  // namespace corvane::cli
