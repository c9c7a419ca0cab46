#include "cli/error_line.h"

#include <algorithm>
#include <iostream>
#include <string_view>

#include "input/text_check.h"

namespace corvane::cli {

int SayError(const char* program, const std::string& text, int status) {
    std::string shown;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        shown += input::Escaped(std::string_view(text).substr(at, end - at));
        if (end < text.size()) shown += '\n';
        at = end + 1;
    }
    std::cerr << program << ": " << shown << '\n';
    return status;
}

}  // namespace corvane::cli
