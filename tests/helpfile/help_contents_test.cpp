#include <gtest/gtest.h>

#include "helpfile/help_contents.h"

namespace corvane::helpfile {
namespace {

// Entries as "depth:name>local", one string per entry, to compare at once.
std::vector<std::string> Outline(std::string_view sitemap) {
    std::vector<std::string> out;
    for (const ContentsEntry& e : ParseContents(sitemap))
        out.push_back(std::to_string(e.depth) + ":" + e.name + ">" + e.local);
    return out;
}

std::string Item(const char* name, const char* local) {
    return std::string(R"(<LI><OBJECT type="text/sitemap"><param name="Name" value=")") + name +
           R"("><param name="Local" value=")" + local + R"("></OBJECT>)";
}

TEST(HelpContents, NestedListsGiveDepths) {
    const std::string sitemap = "<HTML><BODY><UL>" + Item("Corvane", "index.htm") + "<UL>" +
                                Item("Staffing", "staffing.htm") + "<UL>" +
                                Item("Inputs", "inputs.htm") + "</UL>" +
                                Item("Delays", "delays.htm") + "</UL>" +
                                Item("Trunks", "trunks.htm") + "</UL></BODY></HTML>";
    EXPECT_EQ(Outline(sitemap),
              (std::vector<std::string>{"0:Corvane>index.htm", "1:Staffing>staffing.htm",
                                        "2:Inputs>inputs.htm", "1:Delays>delays.htm",
                                        "0:Trunks>trunks.htm"}));
}

TEST(HelpContents, WhatFilesWriteInTheWild) {
    struct Case {
        const char* sitemap;
        std::vector<std::string> outline;
    };
    const Case cases[] = {
        // Any case, either attribute order, single quotes, bare values, references.
        {"<ul><li><object><PARAM VALUE='a.htm' NAME='local'><param name=name "
         "value=\"&quot;Q&quot;&amp;&lt;1&gt; &#39;x&apos;\"></OBJECT></ul>",
         {"0:\"Q\"&<1> 'x'>a.htm"}},
        // No name: skipped. A list in a comment and a stray </UL> change nothing.
        {"<ul><li><object><param name=Local value=x.htm></object>"
         "<li><object><param name=Name value=B></object><!-- <ul> -->"
         "<li><object><param name=Name value=C></object></ul></ul>",
         {"0:B>", "0:C>"}},
        // Lists opened before any entry, and twice after one.
        {"<ul><ul><li><object><param name=Name value=A></object><ul><ul>"
         "<li><object><param name=Name value=B></object>",
         {"0:A>", "1:B>"}},
        // Cut off in the middle of a tag or an entry: what is whole is kept.
        {"<ul><li><object><param name=Name value=A></object><li><object><param name=Na", {"0:A>"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Outline(c.sitemap), c.outline) << c.sitemap;
}

}  // namespace
}  // namespace corvane::helpfile
