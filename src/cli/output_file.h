#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

struct stat;

namespace corvane::cli {

// An output that could not be written; the message names it.
class WriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where a plan or a chart goes. A regular file (new, existing, or the final
// target of a chain of symbolic links) is written aside, unnamed where the
// file system allows, and put in place by Commit: an existing file is
// replaced whole or not at all, and keeps its mode and, where permitted,
// its owner. Anything else (a device, a FIFO, a socket, an open descriptor
// such as /dev/stdout or /dev/fd/N) is written directly. An output that is
// never committed leaves nothing behind, even when the program is stopped
// by a signal. Every failure raises WriteError.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void Open(const std::string& path);
    void OpenStandardOutput();
    // Collected and written in large pieces.
    void Write(std::string_view bytes);
    // Every byte on disk, then in place.
    void Commit();

private:
    [[noreturn]] void Fail(int error) const;
    void Flush();
    // A temporary file beside the target; `existing` is the file it replaces.
    void OpenAside(const struct stat* existing);
    // Tries hidden names beside the target until `create` makes one (false
    // with errno EEXIST: taken, try another); it is kept as the temporary.
    void NameHidden(const std::function<bool(const std::string& name)>& create);

    std::string path_;       // as the user named it, for messages
    std::string target_;     // the file replaced, links followed
    std::string directory_;  // where it lies
    std::string temporary_;  // a named temporary file, where unnamed ones are not to be had
    std::string pending_;
    int fd_ = -1;
    bool direct_ = false;
    bool committed_ = false;
};

}  // namespace corvane::cli
