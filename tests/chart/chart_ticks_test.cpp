// The heat map's day labels by the room they have, and the colour bar's
// marks.
#include <gtest/gtest.h>

#include "chart/chart_ticks.h"
#include "input/label_time.h"

namespace corvane::chart {
namespace {

std::int32_t Day(int y, int m, int d) { return input::DayNumber({y, m, d}); }

TEST(ChartTicks, DayLabelsThinOutToQuartersAndYears) {
    struct Case {
        input::CivilDate first, last;
        double leastDays;
        std::vector<std::string> labels;  // the non-empty ones, in order
    };
    const Case cases[] = {
        // A year with room for every month.
        {{2027, 1, 1}, {2027, 12, 31}, 11,
         {"Jan 2027", "Feb 2027", "Mar 2027", "Apr 2027", "May 2027", "Jun 2027", "Jul 2027",
          "Aug 2027", "Sep 2027", "Oct 2027", "Nov 2027", "Dec 2027"}},
        // Three years: quarters.
        {{2027, 1, 1}, {2029, 12, 31}, 33,
         {"Jan 2027", "Apr 2027", "Jul 2027", "Oct 2027", "Jan 2028", "Apr 2028", "Jul 2028",
          "Oct 2028", "Jan 2029", "Apr 2029", "Jul 2029", "Oct 2029"}},
        // Ten years: years.
        {{2027, 1, 1}, {2036, 12, 31}, 110,
         {"2027", "2028", "2029", "2030", "2031", "2032", "2033", "2034", "2035", "2036"}},
        // A start in mid-month gives way to the month that follows too near it.
        {{2027, 1, 25}, {2027, 4, 30}, 11, {"Feb 2027", "Mar 2027", "Apr 2027"}},
        {{2027, 1, 10}, {2027, 4, 30}, 11, {"Jan 2027", "Feb 2027", "Mar 2027", "Apr 2027"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.labels.front());
        const auto ticks = MonthTicks(input::DayNumber(c.first), input::DayNumber(c.last), c.leastDays);
        std::vector<std::string> labels;
        for (const Tick& t : ticks)
            if (!t.text.empty()) labels.push_back(t.text);
        EXPECT_EQ(labels, c.labels);
    }
    // Each label stands on the first day of its month.
    const auto ticks = MonthTicks(Day(2027, 1, 1), Day(2029, 12, 31), 33);
    EXPECT_EQ(ticks[1].at, static_cast<std::size_t>(Day(2027, 4, 1) - Day(2027, 1, 1)));
}

TEST(ChartTicks, ColourBarMarksAtRoundSteps) {
    const std::pair<long, std::vector<long>> cases[] = {
        {38, {0, 10, 20, 30}},
        {4, {0, 1, 2, 3, 4}},
        {7, {0, 2, 4, 6}},
        {100, {0, 50, 100}},
        {1234, {0, 500, 1000}},
        {0, {0}},
    };
    for (const auto& [top, marks] : cases) EXPECT_EQ(LevelTicks(top), marks) << top;
}

}  // namespace
}  // namespace corvane::chart
