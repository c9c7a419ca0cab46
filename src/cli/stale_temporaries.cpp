#include "cli/stale_temporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <random>
#include <string_view>

namespace corvane::cli {

namespace {

constexpr char kPrefix[] = ".cp-";
constexpr std::size_t kLetters = 8;
constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";

timespec Now() {
    timespec t{};
    ::clock_gettime(CLOCK_REALTIME, &t);
    return t;
}

// Taken as the program starts: a temporary written since may be another
// run's, at work now.
const timespec kStarted = Now();

bool Before(const timespec& a, const timespec& b) {
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

bool IsTemporaryName(const std::string& name) {
    const std::string prefix(kPrefix);
    if (name.size() != prefix.size() + kLetters || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        const char c = name[i];
        if (std::string_view(kDigits).find(c) == std::string_view::npos) return false;
    }
    return true;
}

}  // namespace

std::string NewTemporaryName(const std::string& directory) {
    static std::mt19937_64 random{std::random_device{}()};
    std::string name = directory + "/" + kPrefix;
    for (std::size_t i = 0; i < kLetters; ++i) name += kDigits[random() % 36];
    return name;
}

void LockTemporary(int fd) {
    // Released by the system whenever the holder ends, SIGKILL included.
    (void)::flock(fd, LOCK_EX | LOCK_NB);
}

void RemoveStaleTemporaries(const std::string& directory) {
    DIR* dir = ::opendir(directory.c_str());
    if (!dir) return;
    const int at = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!IsTemporaryName(name)) continue;
        const int fd = ::openat(at, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat held {};
        struct stat named {};
        // Still the same file under that name, a plain file, written before
        // this run began, and locked by nobody: its writer is gone.
        if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
            Before(held.st_mtim, kStarted) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(at, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_dev == held.st_dev && named.st_ino == held.st_ino)
            ::unlinkat(at, name.c_str(), 0);
        ::close(fd);
    }
    ::closedir(dir);
}

}  // namespace corvane::cli
