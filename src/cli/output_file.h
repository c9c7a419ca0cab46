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

// How an output reaches its target.
enum class Delivery {
    Streamed,  // a device, FIFO or descriptor written as the bytes come
    Staged,    // the same, but kept aside and written only by Deliver
};

// Where a plan or a chart goes. A regular file (new, existing, or the final
// target of a chain of symbolic links) is written aside, unnamed where the
// file system allows, and put in place by Place: an existing file is
// replaced whole or not at all, and keeps its mode and, where permitted,
// its owner. Anything else (a device, a FIFO, a socket, an open descriptor
// such as /dev/stdout or /dev/fd/N) cannot be taken back once written: it
// is written directly, or, staged, kept in an unnamed file until Deliver.
// An output never placed leaves nothing behind, even when the program is
// stopped by a signal; a named temporary left by SIGKILL is removed by a
// later run that writes beside it. Every failure raises WriteError.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void Open(const std::string& path, Delivery direct = Delivery::Streamed);
    void OpenStandardOutput(Delivery direct = Delivery::Streamed);
    // Collected and written in large pieces.
    void Write(std::string_view bytes);
    // Whether the target is written in place (and so cannot be taken back).
    bool Direct() const { return direct_; }
    // Every byte on disk under a name beside the target, ready to be placed;
    // a direct output is flushed (streamed) or left aside (staged).
    void Prepare();
    // Puts a prepared file in place (preparing it first if need be), or
    // writes a staged output to its target.
    void Place();

private:
    [[noreturn]] void Fail(int error) const;
    void Flush();
    void WriteOut(int fd, std::string_view bytes) const;
    // A temporary file beside the target; `existing` is the file it replaces.
    void OpenAside(const struct stat* existing);
    // Tries hidden names beside the target until `create` makes one (false
    // with errno EEXIST: taken, try another); it is kept as the temporary.
    void NameHidden(const std::function<bool(const std::string& name)>& create);
    // Gives the unnamed temporary a hidden name beside the target.
    void NameUnnamed();
    // A named, locked copy of the unnamed temporary, or -1 with errno.
    int CopyNamed(const std::string& name) const;

    std::string path_;       // as the user named it, shown in messages
    std::string target_;     // the file replaced, links followed
    std::string directory_;  // where it lies
    std::string temporary_;  // the named temporary, once it has a name
    std::string pending_;
    int fd_ = -1;
    int staged_ = -1;  // the unnamed file a staged direct output waits in
    bool direct_ = false;
    bool prepared_ = false;
    bool placed_ = false;
};

// /dev/stdout, /dev/fd/3, /proc/self/fd/3: a descriptor this process
// already holds, which is written as it stands; -1 for any other path.
int HeldDescriptor(const std::string& path);

// Follows symbolic links to the file they finally name (which need not
// exist yet). Returns errno, or 0.
int FollowLinks(const std::string& path, std::string& target);

std::string DirectoryOf(const std::string& path);

}  // namespace corvane::cli
