#include <gtest/gtest.h>

#include "calc/trunk_table.h"

namespace corvane {
namespace {

TEST(TrunkTable, GroupLines) {
    struct Case {
        int index;
        double erlangs;
        int busy, trunks;
        const char* expected;
    };
    const Case cases[] = {
        {0, 10, 1, 18, "   1        10.0            1         18"},
        {2, 699.9, 1, 728, "   3       699.9            1        728"},
        {3, 2, 10, 4, "   4         2.0           10          4"},
        {1, 10, 1, 0, "   2        10.0            1          0"},
        {4, 0.14, 99, 10000, "   5         0.1           99      10,00"},
        {0, 1234.56, 5, 1234, "   1     1,234.6            5      1,234"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatTrunkGroupLine(c.index, c.erlangs, static_cast<std::int16_t>(c.busy),
                                       static_cast<std::int16_t>(c.trunks)),
                  c.expected);
    }
    EXPECT_EQ(FormatTrunkGroupLine(0, 12.5, 5, 20, {".", ","}),
              "   1        12,5            5         20");
}

}  // namespace
}  // namespace corvane
