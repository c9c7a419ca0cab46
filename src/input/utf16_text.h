#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::input {

// Turns UTF-16 bytes, arriving in pieces cut anywhere, into UTF-8: a
// spreadsheet's "Unicode text" export is UTF-16 with a byte-order mark.
class Utf16Decoder {
public:
    explicit Utf16Decoder(bool bigEndian) : bigEndian_(bigEndian) {}
    // Appends the text of `bytes` to `out`; false at an unpaired surrogate.
    bool Decode(std::string_view bytes, std::string& out);
    // Whether the bytes so far ended on a whole character.
    bool Whole() const { return !hasByte_ && high_ == 0; }

private:
    bool Unit(std::uint16_t unit, std::string& out);

    bool bigEndian_;
    bool hasByte_ = false;
    unsigned char byte_ = 0;
    std::uint16_t high_ = 0;  // a high surrogate waiting for its pair
};

}  // namespace corvane::input
