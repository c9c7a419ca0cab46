#pragma once

#include <memory>
#include <string>

#include "plan/byte_source.h"

namespace corvane::cli {

// A forecast file, or standard input, read twice in bounded memory: a
// regular file is read again from its start; anything else (a pipe, a
// terminal, a device) is copied aside, to an unnamed temporary file, as it
// is first read. Raises plan::PlanInputError when it cannot be read.
class InputFile {
public:
    InputFile(const std::string& path, const std::string& name);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    plan::ByteSource& FirstPass();
    plan::ByteSource& SecondPass();

private:
    class Source;
    std::unique_ptr<Source> source_;
};

}  // namespace corvane::cli
