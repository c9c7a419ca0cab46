#include "cli/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <functional>
#include <random>

#include "cli/cleanup_on_signal.h"
#include "cli/file_fault.h"

namespace corvane::cli {

namespace {

constexpr int kMaxLinks = 40;  // as the kernel allows in one path
constexpr std::size_t kPieceBytes = 64 * 1024;

// /dev/stdout, /dev/fd/3, /proc/self/fd/3: a descriptor this process
// already holds, which is written as it stands (its offset and append mode
// kept), never replaced.
int HeldDescriptor(const std::string& path) {
    if (path == "/dev/stdout") return 1;
    if (path == "/dev/stderr") return 2;
    for (const char* prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        const std::string p(prefix);
        if (path.compare(0, p.size(), p) != 0 || path.size() == p.size()) continue;
        const std::string digits = path.substr(p.size());
        if (digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string::npos)
            return -1;
        return std::stoi(digits);
    }
    return -1;
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symbolic links to the file they finally name (which need not
// exist yet). Returns errno, or 0.
int FollowLinks(const std::string& path, std::string& target) {
    target = path;
    for (int hops = 0;; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(st.st_mode)) return 0;
        if (hops == kMaxLinks) return ELOOP;
        char buf[PATH_MAX];
        const ssize_t n = ::readlink(target.c_str(), buf, sizeof buf - 1);
        if (n < 0) return errno;
        const std::string link(buf, static_cast<std::size_t>(n));
        target = link.front() == '/' ? link : DirectoryOf(target) + "/" + link;
    }
}

// A hidden name beside the target, short enough for any legal target name.
std::string HiddenName(const std::string& directory) {
    static std::mt19937_64 random{std::random_device{}()};
    const char* digits = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string name = directory + "/.cp-";
    for (int i = 0; i < 8; ++i) name += digits[random() % 36];
    return name;
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace

OutputFile::~OutputFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!temporary_.empty() && !committed_) {
        ::unlink(temporary_.c_str());
        ForgetOnSignal(temporary_.c_str());
    }
}

void OutputFile::Fail(int error) const {
    throw WriteError(FileFault(path_, "cannot write", error));
}

void OutputFile::OpenStandardOutput() {
    path_ = "standard output";
    direct_ = true;
    fd_ = ::fcntl(1, F_DUPFD_CLOEXEC, 0);
    if (fd_ < 0) Fail(errno);
}

void OutputFile::Open(const std::string& path) {
    path_ = path;
    if (const int held = HeldDescriptor(path); held >= 0) {
        direct_ = true;
        fd_ = ::fcntl(held, F_DUPFD_CLOEXEC, 0);
        if (fd_ < 0) Fail(errno);
        return;
    }
    if (const int error = FollowLinks(path, target_)) Fail(error);
    struct stat st {};
    const bool exists = ::stat(target_.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) Fail(EISDIR);
    if (exists && !S_ISREG(st.st_mode)) {
        // A device, a FIFO, a socket: there is nothing to replace.
        direct_ = true;
        fd_ = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (fd_ < 0) Fail(errno);
        return;
    }
    OpenAside(exists ? &st : nullptr);
}

void OutputFile::NameHidden(const std::function<bool(const std::string& name)>& create) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = HiddenName(directory_);
        if (!RemoveOnSignal(name.c_str())) Fail(ENAMETOOLONG);
        if (create(name)) {
            temporary_ = name;
            return;
        }
        const int error = errno;
        ForgetOnSignal(name.c_str());
        if (error != EEXIST) Fail(error);
    }
    Fail(EEXIST);
}

void OutputFile::OpenAside(const struct stat* existing) {
    directory_ = DirectoryOf(target_);
    const mode_t fresh = 0666 & ~CurrentUmask();
    // Unnamed until committed, so no signal, not even SIGKILL, leaves a
    // name behind; /proc is needed to give it one later.
    int error = EOPNOTSUPP;
    if (::access("/proc/self/fd", X_OK) == 0) {
        fd_ = ::open(directory_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, fresh);
        if (fd_ < 0) error = errno;
    }
    if (fd_ < 0) {
        if (error == ENOENT || error == EACCES || error == EROFS || error == ENOTDIR) Fail(error);
        NameHidden([this, fresh](const std::string& name) {
            fd_ = ::open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, fresh);
            return fd_ >= 0;
        });
    }
    if (existing) {
        // The replacement is the same document: same permissions, same owner.
        const mode_t mode = existing->st_mode & 07777;
        ::fchmod(fd_, mode);
        if (::fchown(fd_, existing->st_uid, existing->st_gid) != 0)
            (void)::fchown(fd_, static_cast<uid_t>(-1), existing->st_gid);
        ::fchmod(fd_, mode);  // chown clears set-id bits
    }
}

void OutputFile::Write(std::string_view bytes) {
    pending_.append(bytes);
    if (pending_.size() >= kPieceBytes) Flush();
}

void OutputFile::Flush() {
    std::string_view bytes = pending_;
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    pending_.clear();
}

void OutputFile::Commit() {
    Flush();
    if (direct_) {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) Fail(errno);
        committed_ = true;
        return;
    }
    if (::fsync(fd_) != 0) Fail(errno);
    if (temporary_.empty()) {
        // Named now, under a hidden name cleared on a signal, then renamed.
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        NameHidden([&self](const std::string& name) {
            return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
        });
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) Fail(errno);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) Fail(errno);
    ForgetOnSignal(temporary_.c_str());
    committed_ = true;
}

}  // namespace corvane::cli
