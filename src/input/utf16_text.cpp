#include "input/utf16_text.h"

namespace corvane::input {

namespace {

void AppendUtf8(std::uint32_t point, std::string& out) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

}  // namespace

bool Utf16Decoder::Decode(std::string_view bytes, std::string& out) {
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (!hasByte_) {
            byte_ = b;
            hasByte_ = true;
            continue;
        }
        hasByte_ = false;
        const auto unit = static_cast<std::uint16_t>(bigEndian_ ? (byte_ << 8) | b : (b << 8) | byte_);
        if (!Unit(unit, out)) return false;
    }
    return true;
}

bool Utf16Decoder::Unit(std::uint16_t unit, std::string& out) {
    if (high_ != 0) {
        if (unit < 0xDC00 || unit > 0xDFFF) return false;
        AppendUtf8(0x10000 + ((static_cast<std::uint32_t>(high_) - 0xD800) << 10) + (unit - 0xDC00),
                   out);
        high_ = 0;
        return true;
    }
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        high_ = unit;
        return true;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF) return false;
    AppendUtf8(unit, out);
    return true;
}

}  // namespace corvane::input
