#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::input {

// How much of `bytes` is whole UTF-8 text: `valid` bytes are complete
// sequences (no NUL); after them either nothing, a sequence cut short by
// the end (`cutShort`, which the next piece may complete) or a bad byte.
struct Utf8Scan {
    std::size_t valid = 0;
    bool cutShort = false;
};
Utf8Scan ScanUtf8(std::string_view bytes);

// Characters that move or restyle what a terminal shows, or reorder the
// text around them: C0 and C1 controls, DEL, and the bidirectional
// embeddings, overrides and isolates. No label or name may hold them.
bool DrivesTerminal(std::uint32_t point);
// The first such character in UTF-8 `text`, or U+FFFE or U+FFFF, which no
// XML document may hold (bytes that are not UTF-8 are the reader's concern).
std::optional<std::uint32_t> FirstControl(std::string_view text);
// "U+001B".
std::string CodePointText(std::uint32_t point);

// A value as messages quote it: such characters shown as '?', and cut to a
// readable length, so a hostile file cannot drive the terminal.
std::string Printable(std::string_view value);

// A file name as messages and headings show it, whole: such characters and
// bytes that are not UTF-8 written as \x1b or \u202e.
std::string Escaped(std::string_view name);

}  // namespace corvane::input
