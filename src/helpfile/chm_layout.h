#pragma once

#include <string_view>

namespace corvane::helpfile {

// Whether the bytes of a compiled help file are laid out soundly enough to
// hand to the help library: headers and directory within the file, every
// directory entry parsable, the index free of loops, and the compression
// tables within what the library's decoder copes with. The library trusts
// all of these, and a damaged or crafted file would otherwise make it
// crash, loop for ever or ask for gigabytes.
bool ChmLayoutIsSound(std::string_view file);

}  // namespace corvane::helpfile
