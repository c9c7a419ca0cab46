#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane::plan {

// The 1-based line of the first NUL byte or invalid UTF-8 sequence, or 0
// when the whole content is UTF-8 text.
std::size_t FirstNonTextLine(std::string_view content);

// A value as messages quote it: control characters shown as '?', and cut
// to a readable length, so a hostile file cannot drive the terminal.
std::string Printable(std::string_view value);

}  // namespace corvane::plan
