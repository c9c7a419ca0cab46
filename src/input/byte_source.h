#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calc/result.h"

namespace corvane::input {

// Where a forecast's bytes come from, a piece at a time, so a file of any
// length is read in bounded memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Fills up to `size` bytes; 0 at the end. A source that cannot be read
    // says why, naming itself.
    virtual Result<std::size_t, std::string> Read(char* buffer, std::size_t size) = 0;
};

// A text already in memory, handed out at most `piece` bytes at a time
// (small pieces let tests cut line ends and characters anywhere).
class TextSource : public ByteSource {
public:
    explicit TextSource(std::string_view text, std::size_t piece = SIZE_MAX)
        : text_(text), piece_(piece) {}
    Result<std::size_t, std::string> Read(char* buffer, std::size_t size) override;

private:
    std::string_view text_;
    std::size_t piece_;
};

}  // namespace corvane::input
