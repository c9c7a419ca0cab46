#include "cli/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace corvane::cli {

namespace {

std::string Failure(const std::string& path, int error) {
    return path + ": cannot write: " + std::strerror(error);
}

}  // namespace

PendingFile::~PendingFile() {
    if (!temp_.empty()) ::unlink(temp_.c_str());
}

std::string PendingFile::Prepare(const std::string& path, std::string_view content) {
    path_ = path;
    std::vector<char> name(path.begin(), path.end());
    const std::string suffix = ".part-XXXXXX";
    name.insert(name.end(), suffix.begin(), suffix.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return Failure(path, errno);
    temp_ = name.data();
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            return Failure(path, error);
        }
        written += static_cast<std::size_t>(n);
    }
    // mkstemp makes the file private; a plan is an ordinary document.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    if (::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return Failure(path, error);
    }
    if (::close(fd) != 0) return Failure(path, errno);
    return {};
}

std::string PendingFile::Commit() {
    if (::rename(temp_.c_str(), path_.c_str()) != 0) return Failure(path_, errno);
    temp_.clear();
    return {};
}

std::string WriteWholeFile(const std::string& path, std::string_view content) {
    PendingFile file;
    std::string error = file.Prepare(path, content);
    return error.empty() ? file.Commit() : error;
}

}  // namespace corvane::cli
