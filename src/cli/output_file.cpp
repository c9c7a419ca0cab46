#include "cli/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <functional>

#include "cli/cleanup_on_signal.h"
#include "cli/file_fault.h"
#include "cli/stale_temporaries.h"
#include "cli/unnamed_temporary.h"
#include "input/text_check.h"

namespace corvane::cli {

namespace {

constexpr int kMaxLinks = 40;  // as the kernel allows in one path
constexpr std::size_t kPieceBytes = 64 * 1024;

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace

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

OutputFile::~OutputFile() {
    if (fd_ >= 0) ::close(fd_);
    if (staged_ >= 0) ::close(staged_);
    if (!temporary_.empty() && !placed_) {
        ::unlink(temporary_.c_str());
        ForgetOnSignal(temporary_.c_str());
    }
}

void OutputFile::Fail(int error) const {
    // A pipe or FIFO whose reader quit: not a fault of the file system.
    if (error == EPIPE) throw WriteError("the reader of " + path_ + " went away");
    throw WriteError(FileFault(path_, "cannot write", error));
}

void OutputFile::OpenStandardOutput(Delivery delivery) {
    path_ = "standard output";
    direct_ = true;
    fd_ = ::fcntl(1, F_DUPFD_CLOEXEC, 0);
    if (fd_ < 0) Fail(errno);
    if (delivery == Delivery::Staged && (staged_ = UnnamedTemporary()) < 0) Fail(errno);
}

void OutputFile::Open(const std::string& path, Delivery delivery) {
    path_ = input::Escaped(path);
    if (const int held = HeldDescriptor(path); held >= 0) {
        direct_ = true;
        fd_ = ::fcntl(held, F_DUPFD_CLOEXEC, 0);
        if (fd_ < 0) Fail(errno);
    } else {
        if (const int error = FollowLinks(path, target_)) Fail(error);
        struct stat st {};
        const bool exists = ::stat(target_.c_str(), &st) == 0;
        if (exists && S_ISDIR(st.st_mode)) Fail(EISDIR);
        if (!exists || S_ISREG(st.st_mode)) return OpenAside(exists ? &st : nullptr);
        // A device, a FIFO, a socket: there is nothing to replace. A FIFO
        // opened now waits for its reader: only at Place when staged.
        direct_ = true;
        if (delivery == Delivery::Streamed) {
            fd_ = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
            if (fd_ < 0) Fail(errno);
        }
    }
    if (delivery == Delivery::Staged && (staged_ = UnnamedTemporary()) < 0) Fail(errno);
}

void OutputFile::NameHidden(const std::function<bool(const std::string& name)>& create) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = NewTemporaryName(directory_);
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
    RemoveStaleTemporaries(directory_);
    const mode_t fresh = 0666 & ~CurrentUmask();
    // Unnamed until prepared, so no signal, not even SIGKILL, leaves a name
    // behind while the output is written.
    fd_ = ::open(directory_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, fresh);
    if (fd_ >= 0) {
        LockTemporary(fd_);  // held on through the name it is given later
    } else {
        const int error = errno;
        if (error == ENOENT || error == EACCES || error == EROFS || error == ENOTDIR) Fail(error);
        NameHidden([this, fresh](const std::string& name) {
            fd_ = ::open(name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, fresh);
            return fd_ >= 0;
        });
        LockTemporary(fd_);
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

void OutputFile::WriteOut(int fd, std::string_view bytes) const {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void OutputFile::Flush() {
    WriteOut(staged_ >= 0 ? staged_ : fd_, pending_);
    pending_.clear();
}

void OutputFile::NameUnnamed() {
    // Linked straight from the descriptor where the process may, through
    // /proc where it is mounted, else copied into a named file: in every
    // case the name exists only from here to Place.
    NameHidden([this](const std::string& name) {
        if (::linkat(fd_, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) return true;
        if (errno == EEXIST) return false;
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno == EEXIST) return false;
        const int copy = CopyNamed(name);
        if (copy < 0) return false;
        ::close(fd_);
        fd_ = copy;
        return true;
    });
}

int OutputFile::CopyNamed(const std::string& name) const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return -1;
    const int copy = ::open(name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0600);
    if (copy < 0) return -1;
    LockTemporary(copy);
    const auto undo = [&] {
        const int error = errno;
        ::close(copy);
        ::unlink(name.c_str());
        errno = error == EEXIST ? EIO : error;  // never taken for a name in use
        return -1;
    };
    char buffer[kPieceBytes];
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(fd_, buffer, sizeof buffer, at);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return undo();
        if (n == 0) break;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(copy, buffer + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno == EINTR) continue;
            if (w < 0) return undo();
            done += w;
        }
        at += n;
    }
    if (::fchown(copy, st.st_uid, st.st_gid) != 0)
        (void)::fchown(copy, static_cast<uid_t>(-1), st.st_gid);
    if (::fchmod(copy, st.st_mode & 07777) != 0 || ::fsync(copy) != 0) return undo();
    return copy;
}

void OutputFile::Prepare() {
    if (prepared_) return;
    Flush();
    prepared_ = true;
    if (direct_) return;
    if (::fsync(fd_) != 0) Fail(errno);
    if (temporary_.empty()) NameUnnamed();
}

void OutputFile::Place() {
    Prepare();
    if (placed_) return;
    if (direct_) {
        if (staged_ >= 0) {
            if (fd_ < 0) fd_ = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
            if (fd_ < 0) Fail(errno);
            if (::lseek(staged_, 0, SEEK_SET) != 0) Fail(errno);
            char buffer[kPieceBytes];
            for (;;) {
                const ssize_t n = ::read(staged_, buffer, sizeof buffer);
                if (n < 0 && errno == EINTR) continue;
                if (n < 0) throw WriteError(FileFault("the plan kept aside", "cannot read", errno));
                if (n == 0) break;
                WriteOut(fd_, std::string_view(buffer, static_cast<std::size_t>(n)));
            }
        }
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) Fail(errno);
        placed_ = true;
        return;
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) Fail(errno);
    placed_ = true;
    ForgetOnSignal(temporary_.c_str());
    const int fd = fd_;
    fd_ = -1;
    ::close(fd);  // every byte was synced before the rename
}


}  // namespace corvane::cli
