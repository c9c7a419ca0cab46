#include "calc/utf8_text.h"

namespace corvane::utf8 {

namespace {
bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }
}  // namespace

std::size_t Length(std::string_view text) {
    std::size_t n = 0;
    for (unsigned char c : text)
        if (!IsContinuation(c)) ++n;
    return n;
}

std::string Left(std::string_view text, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsContinuation(static_cast<unsigned char>(text[i]))) {
            if (seen == count) return std::string(text.substr(0, i));
            ++seen;
        }
    }
    return std::string(text);
}

}  // namespace corvane::utf8
