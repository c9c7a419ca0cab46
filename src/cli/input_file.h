#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "input/byte_source.h"

namespace corvane::cli {

// A forecast that cannot be opened or read again; the message names it.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A forecast file, or standard input, read twice in bounded memory: a
// regular file is read again from its start; anything else (a pipe, a
// terminal, a device) is copied aside, to an unnamed temporary file, as it
// is first read. A file that cannot be opened raises InputError; a read
// that fails is handed to the forecast reader as its source's failure.
class InputFile {
public:
    InputFile(const std::string& path, const std::string& name);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    input::ByteSource& FirstPass();
    // From the start again, as often as needed.
    input::ByteSource& Again();
    // Whether a read failed because the copy aside could not be written.
    bool CopyFailed() const;

private:
    class Source;
    std::unique_ptr<Source> source_;
};

}  // namespace corvane::cli
