// The contents parser on any text: it never fails, every entry has a name,
// and the nesting never jumps more than one level down at a time.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "helpfile/help_contents.h"

namespace {

void Require(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    int previous = -1;
    for (const auto& entry : corvane::helpfile::ParseContents(text)) {
        Require(!entry.name.empty());
        Require(entry.depth >= 0 && entry.depth <= previous + 1);
        previous = entry.depth;
    }
    return 0;
}
