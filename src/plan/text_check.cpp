#include "plan/text_check.h"

#include "calc/utf8_text.h"

namespace corvane::plan {

namespace {

// Length of the UTF-8 sequence at `s`, or 0 when it is not valid.
std::size_t SequenceLength(std::string_view s) {
    const auto b0 = static_cast<unsigned char>(s[0]);
    if (b0 < 0x80) return b0 == 0 ? 0 : 1;
    std::size_t len = 0;
    unsigned min = 0;
    unsigned cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else
        return 0;
    if (s.size() < len) return 0;
    for (std::size_t i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

// Whether `s` is the start of a valid sequence that the end cut short.
bool CutShort(std::string_view s) {
    const auto b0 = static_cast<unsigned char>(s[0]);
    const std::size_t need = (b0 & 0xE0) == 0xC0   ? 2
                             : (b0 & 0xF0) == 0xE0 ? 3
                             : (b0 & 0xF8) == 0xF0 ? 4
                                                   : 0;
    if (need == 0 || s.size() >= need) return false;
    for (std::size_t i = 1; i < s.size(); ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return false;
    return true;
}

}  // namespace

Utf8Scan ScanUtf8(std::string_view bytes) {
    Utf8Scan scan;
    while (scan.valid < bytes.size()) {
        const std::string_view rest = bytes.substr(scan.valid);
        const std::size_t len = SequenceLength(rest);
        if (len == 0) {
            scan.cutShort = CutShort(rest);
            break;
        }
        scan.valid += len;
    }
    return scan;
}

std::string Printable(std::string_view value) {
    constexpr std::size_t kMaxShown = 40;
    std::string out;
    for (const char c : utf8::Left(value, kMaxShown)) {
        const auto b = static_cast<unsigned char>(c);
        out += (b < 0x20 || b == 0x7F) ? '?' : c;
    }
    if (utf8::Length(value) > kMaxShown) out += "...";
    return out;
}

}  // namespace corvane::plan
