#pragma once

#include <cstddef>
#include <string_view>

namespace corvane::plan {

// Where a forecast's bytes come from, a piece at a time, so a file of any
// length is read in bounded memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Fills up to `size` bytes; 0 at the end. Raises PlanInputError when the
    // source cannot be read.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

// A text already in memory (tests, the fuzz target, small callers).
class TextSource : public ByteSource {
public:
    explicit TextSource(std::string_view text) : text_(text) {}
    std::size_t Read(char* buffer, std::size_t size) override;

private:
    std::string_view text_;
};

}  // namespace corvane::plan
