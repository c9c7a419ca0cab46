#include "input/text_check.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "calc/utf8_text.h"

namespace corvane::input {

namespace {

// Length of the UTF-8 sequence at `s`, or 0 when it is not valid; its
// code point in `point`.
std::size_t SequenceLength(std::string_view s, std::uint32_t& point) {
    const auto b0 = static_cast<unsigned char>(s[0]);
    point = b0;
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
    point = cp;
    return len;
}

std::size_t SequenceLength(std::string_view s) {
    std::uint32_t point = 0;
    return SequenceLength(s, point);
}

std::string Hex(std::uint32_t value, int digits) {
    static const char* kDigits = "0123456789abcdef";
    std::string out(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4)
        out[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
    return out;
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

bool DrivesTerminal(std::uint32_t point) {
    return point < 0x20 || (point >= 0x7F && point <= 0x9F) ||
           (point >= 0x202A && point <= 0x202E) || (point >= 0x2066 && point <= 0x2069);
}

std::optional<std::uint32_t> FirstControl(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        std::uint32_t point = 0;
        const std::size_t len = SequenceLength(text.substr(at), point);
        // Noncharacters are no XML character data either (an SVG chart).
        if (len > 0 && (DrivesTerminal(point) || point == 0xFFFE || point == 0xFFFF)) return point;
        at += len > 0 ? len : 1;
    }
    return std::nullopt;
}

std::string CodePointText(std::uint32_t point) {
    std::string hex = Hex(point, 6);
    hex.erase(0, std::min<std::size_t>(hex.find_first_not_of('0'), 2));
    for (char& c : hex) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return "U+" + hex;
}

std::string Printable(std::string_view value) {
    constexpr std::size_t kMaxShown = 40;
    const std::string shown(utf8::Left(value, kMaxShown));
    std::string out;
    for (std::size_t at = 0; at < shown.size();) {
        std::uint32_t point = 0;
        const std::size_t len = SequenceLength(std::string_view(shown).substr(at), point);
        if (len == 0 || DrivesTerminal(point))
            out += '?';
        else
            out.append(shown.substr(at, len));
        at += len > 0 ? len : 1;
    }
    if (utf8::Length(value) > kMaxShown) out += "...";
    return out;
}

std::string Escaped(std::string_view name) {
    std::string out;
    for (std::size_t at = 0; at < name.size();) {
        std::uint32_t point = 0;
        const std::size_t len = SequenceLength(name.substr(at), point);
        if (len == 0)
            out += "\\x" + Hex(static_cast<unsigned char>(name[at]), 2);
        else if (point < 0x80 && DrivesTerminal(point))
            out += "\\x" + Hex(point, 2);
        else if (DrivesTerminal(point))
            out += "\\u" + Hex(point, 4);
        else
            out.append(name.substr(at, len));
        at += len > 0 ? len : 1;
    }
    return out;
}

}  // namespace corvane::input
