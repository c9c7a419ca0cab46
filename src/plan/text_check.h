#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane::plan {

// How much of `bytes` is whole UTF-8 text: `valid` bytes are complete
// sequences (no NUL); after them either nothing, a sequence cut short by
// the end (`cutShort`, which the next piece may complete) or a bad byte.
struct Utf8Scan {
    std::size_t valid = 0;
    bool cutShort = false;
};
Utf8Scan ScanUtf8(std::string_view bytes);

// A value as messages quote it: control characters shown as '?', and cut
// to a readable length, so a hostile file cannot drive the terminal.
std::string Printable(std::string_view value);

}  // namespace corvane::plan
