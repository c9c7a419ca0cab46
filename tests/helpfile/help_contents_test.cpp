#include <gtest/gtest.h>

#include "helpfile/help_contents.h"
#include "support/vectors.h"

namespace corvane::helpfile {
namespace {

TEST(HelpContents, WhatFilesWriteInTheWild) {
    for (const auto& c : testing::Vectors("help-contents")) {
        std::vector<std::string> outline;  // "depth:name>local" per entry
        for (const ContentsEntry& e : ParseContents(c["sitemap"].get<std::string>()))
            outline.push_back(std::to_string(e.depth) + ":" + e.name + ">" + e.local);
        EXPECT_EQ(outline, c["outline"].get<std::vector<std::string>>()) << c["why"];
    }
}

}  // namespace
}  // namespace corvane::helpfile
