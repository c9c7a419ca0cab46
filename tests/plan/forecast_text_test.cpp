// The pieces a forecast's cells are read with: figures, durations, column
// names, dates and times, and the interval length the labels show.
#include <gtest/gtest.h>

#include "plan/column_names.h"
#include "plan/figure_text.h"
#include "plan/interval_step.h"
#include "plan/label_time.h"

namespace corvane::plan {
namespace {

TEST(FigureText, FiguresAndDurationsAsSpreadsheetsWriteThem) {
    struct Case {
        const char* text;
        char decimal;
        bool duration;
        double value;  // < 0: refused
    };
    const Case cases[] = {
        {"120.4", '.', false, 120.4},  {" 120 ", '.', false, 120},
        {"120,4", ',', false, 120.4},  {"0", '.', false, 0},
        {".5", '.', false, 0.5},       {"5.", '.', false, 5},
        {"120,4", '.', false, -1},     {"120.4", ',', false, -1},
        {"1 234", '.', false, -1},     {"-5", '.', false, -1},
        {"", '.', false, -1},          {"1e3", '.', false, -1},
        {"245", '.', true, 245},       {"245,5", ',', true, 245.5},
        {"4:05", '.', true, 245},      {"0:04:05", '.', true, 245},
        {"1:00:00", '.', true, 3600},  {"0:04:05.5", '.', true, 245.5},
        {"125:30", '.', true, 7530},   {"4:5", '.', true, -1},
        {"4:60", '.', true, -1},       {"1:2:03", '.', true, -1},
        {"1:00:00:00", '.', true, -1}, {"a:05", '.', true, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const FigureMarks marks{c.decimal};
        const auto read = c.duration ? ParseDuration(c.text, marks) : ParseFigure(c.text, marks);
        ASSERT_EQ(read.Ok(), c.value >= 0);
        if (read) {
            EXPECT_DOUBLE_EQ(read.Value(), c.value);
        }
    }
    // Past the cap, a figure stays finite and is planned as outside the range.
    EXPECT_EQ(ParseFigure(std::string(400, '9'), {}).Value(), kFigureCap);
}

TEST(ColumnNames, EveryAliasWithoutCaseSpacesOrDashes) {
    using C = ForecastColumn;
    const std::pair<const char*, std::optional<C>> cases[] = {
        {"calls", C::Calls},
        {"Offered", C::Calls},
        {"VOLUME", C::Calls},
        {"Contacts", C::Calls},
        {"talk", C::Talk},
        {"Talk Time", C::Talk},
        {"talk_time", C::Talk},
        {"acw", C::Acw},
        {"Wrap", C::Acw},
        {"Wrap-Up", C::Acw},
        {"After Call Work", C::Acw},
        {"AHT", C::Aht},
        {"Handle Time", C::Aht},
        {"interval", C::Interval},
        {"Time", C::Interval},
        {"Start", C::Interval},
        {"Date", C::Date},
        {"Date Time", C::DateTime},
        {"timestamp", C::DateTime},
        {"calls2", std::nullopt},
        {"talks", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [header, column] : cases) EXPECT_EQ(ColumnNamed(header), column) << header;
}

TEST(LabelTime, DatesTimesAndDateTimes) {
    const std::int32_t march1 = DayNumber({2027, 3, 1});
    EXPECT_EQ(DateText(march1), "2027-03-01");
    EXPECT_EQ(Weekday(march1), 0);  // a Monday
    EXPECT_EQ(DateText(DayNumber({2000, 2, 29})), "2000-02-29");
    for (const char* same : {"2027-03-01", "01.03.2027", "03/01/2027", " 2027-03-01 "})
        EXPECT_EQ(ParseDate(same), march1) << same;
    for (const char* bad :
         {"2027-02-29", "2027-13-01", "32.01.2027", "13/01/2027", "2027-3-1", "x"})
        EXPECT_FALSE(ParseDate(bad)) << bad;
    EXPECT_TRUE(ParseDate("2028-02-29"));

    const std::pair<const char*, int> times[] = {
        {"08:00", 480},         {"8:00", 480},         {"08:30:00", 510}, {"23:59", 1439},
        {"08:00 - 08:30", 480}, {"08:00-08:15", 480},  {"24:00", -1},     {"8h", -1},
        {"08:60", -1},          {"08:00 to 09:00", -1}};
    for (const auto& [text, minute] : times)
        EXPECT_EQ(ParseTimeOfDay(text).value_or(-1), minute) << text;

    for (const char* text :
         {"2027-03-01 07:30", "2027-03-01T07:30", "01.03.2027 07:30", "03/01/2027 07:30:00"}) {
        const auto at = ParseDateTime(text);
        ASSERT_TRUE(at) << text;
        EXPECT_EQ(at->day, march1);
        EXPECT_EQ(at->minute, 450);
    }
    for (const char* bad : {"01.03.2027T07:30", "2027-03-01", "2027-03-01 7h30"})
        EXPECT_FALSE(ParseDateTime(bad)) << bad;
}

// Rows of labels: a day number (or none) and a minute.
StepCounter Steps(std::initializer_list<std::pair<int, int>> labels) {
    StepCounter steps;
    int line = 2;
    for (const auto& [day, minute] : labels) {
        ForecastRow row;
        row.line = line++;
        if (day >= 0) row.day = day;
        row.minute = minute;
        steps.Add(row);
    }
    return steps;
}

TEST(IntervalStep, TheCommonStepBetweenLabelsOfADay) {
    // Quarter-hours with a gap at noon and a night between two days.
    const StepCounter quarters =
        Steps({{1, 480}, {1, 495}, {1, 510}, {1, 600}, {1, 615}, {2, 480}, {2, 495}});
    EXPECT_EQ(quarters.Step(), 15);
    EXPECT_EQ(ResolveInterval(quarters, std::nullopt).Value(), 15);
    EXPECT_EQ(ResolveInterval(quarters, 15).Value(), 15);
    const auto contradicted = ResolveInterval(quarters, 30);
    ASSERT_FALSE(contradicted);
    EXPECT_EQ(contradicted.Error().kind, PlanFault::Kind::IntervalContradicted);
    EXPECT_EQ(contradicted.Error().message,
              "the labels are 15 minutes apart (08:00 to 08:15 at line 3)");
    // Times without dates wrap at midnight; an even tie takes the shorter.
    EXPECT_EQ(Steps({{-1, 1380}, {-1, 1410}, {-1, 0}, {-1, 30}}).Step(), 30);
    EXPECT_EQ(Steps({{-1, 0}, {-1, 30}, {-1, 90}}).Step(), 30);
    // No times: the interval given, else half-hours.
    EXPECT_FALSE(StepCounter().Step());
    EXPECT_EQ(ResolveInterval(StepCounter(), std::nullopt).Value(), 30);
    EXPECT_EQ(ResolveInterval(StepCounter(), 60).Value(), 60);
}

}  // namespace
}  // namespace corvane::plan
