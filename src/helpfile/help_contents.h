#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane::helpfile {

// One entry of a help file's table of contents, in the order shown.
struct ContentsEntry {
    std::string name;   // the text shown
    std::string local;  // the page it opens, as the file names it (may be empty)
    int depth = 0;      // 0 at the top; a child is one deeper than its parent
};

// Reads a contents (sitemap) file: nested <UL> lists whose items are
// <OBJECT type="text/sitemap"> elements holding <PARAM name="Name"
// value="..."> and <PARAM name="Local" value="...">. Tag and attribute
// names are matched without regard to case; values may be quoted with " or
// ' or bare, and the common character references are decoded. An item
// without a name is skipped; a stray </UL> is ignored. An entry's parent is
// the last entry before it one level up.
std::vector<ContentsEntry> ParseContents(std::string_view sitemap);

}  // namespace corvane::helpfile
