#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane::utf8 {

// Number of characters (code points) in a UTF-8 text.
std::size_t Length(std::string_view text);

// The first `count` characters of a UTF-8 text.
std::string Left(std::string_view text, std::size_t count);

}  // namespace corvane::utf8
