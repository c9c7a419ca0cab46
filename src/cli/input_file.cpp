#include "cli/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "cli/file_fault.h"
#include "cli/output_file.h"
#include "cli/unnamed_temporary.h"

namespace corvane::cli {

namespace {

std::size_t ReadSome(int fd, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) return static_cast<std::size_t>(-1);
    }
}

}  // namespace

class InputFile::Source : public input::ByteSource {
public:
    Source(const std::string& path, const std::string& name) : name_(name) {
        fd_ = path == "-" ? ::fcntl(0, F_DUPFD_CLOEXEC, 0)
                          : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) throw InputError(Why("cannot open"));
        struct stat st {};
        if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode))
            throw InputError(name_ + ": is a directory, not a forecast file");
        seekable_ = ::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode);
        if (!seekable_) {
            copy_ = UnnamedTemporary();
            if (copy_ < 0) throw WriteError(FileFault(CopyOf(name_), "cannot write", errno));
        }
    }
    ~Source() override {
        ::close(fd_);
        if (copy_ >= 0) ::close(copy_);
    }
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;

    void Rewind() {
        secondPass_ = true;
        if (::lseek(seekable_ ? fd_ : copy_, 0, SEEK_SET) != 0)
            throw InputError(Why("cannot read again"));
    }

    // Called from inside the forecast reader: failures are handed back, not
    // thrown through it.
    Result<std::size_t, std::string> Read(char* buffer, std::size_t size) override {
        const int from = secondPass_ && !seekable_ ? copy_ : fd_;
        const std::size_t n = ReadSome(from, buffer, size);
        if (n == static_cast<std::size_t>(-1)) return Fail(Why("cannot read"));
        if (!secondPass_ && !seekable_ && !Keep(buffer, n)) {
            copyFailed_ = true;
            return Fail(FileFault(CopyOf(name_), "cannot write", errno));
        }
        return n;
    }

    bool CopyFailed() const { return copyFailed_; }

private:
    std::string Why(const char* what) const { return FileFault(name_, what, errno); }

    bool Keep(const char* bytes, std::size_t n) {
        for (std::size_t done = 0; done < n;) {
            const ssize_t w = ::write(copy_, bytes + done, n - done);
            if (w < 0 && errno == EINTR) continue;
            if (w < 0) return false;
            done += static_cast<std::size_t>(w);
        }
        return true;
    }

    std::string name_;
    int fd_ = -1;
    int copy_ = -1;
    bool seekable_ = false;
    bool secondPass_ = false;
    bool copyFailed_ = false;
};

InputFile::InputFile(const std::string& path, const std::string& name)
    : source_(std::make_unique<Source>(path, name)) {}

InputFile::~InputFile() = default;

input::ByteSource& InputFile::FirstPass() { return *source_; }

bool InputFile::CopyFailed() const { return source_->CopyFailed(); }

input::ByteSource& InputFile::Again() {
    source_->Rewind();
    return *source_;
}

}  // namespace corvane::cli
