// The pieces a forecast's cells are read with: figures, durations, column
// names, dates and times, and the interval length the labels show.
#include <gtest/gtest.h>

#include "input/column_names.h"
#include "input/figure_text.h"
#include "input/interval_step.h"
#include "input/label_time.h"

namespace corvane::input {
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
        const input::FigureMarks marks{c.decimal};
        const auto read = c.duration ? input::ParseDuration(c.text, marks) : input::ParseFigure(c.text, marks);
        ASSERT_EQ(read.Ok(), c.value >= 0);
        if (read) {
            EXPECT_DOUBLE_EQ(read.Value(), c.value);
        }
    }
    // Past the cap, a figure stays finite and is planned as outside the range.
    EXPECT_EQ(input::ParseFigure(std::string(400, '9'), {}).Value(), input::kFigureCap);
}

TEST(ColumnNames, AliasesUnitsAndRanksAsExportsWriteThem) {
    using C = input::ForecastColumn;
    using U = input::ColumnUnit;
    using R = input::ColumnRank;
    struct Case {
        const char* header;
        std::optional<C> column;
        U unit = U::None;
        R rank = R::Plain;
        bool hourLike = false;
    };
    const Case cases[] = {
        {"calls", C::Calls},
        {"Offered", C::Calls},
        {"VOLUME", C::Calls},
        {"Contacts", C::Calls},
        {"Calls Offered", C::Calls},
        {"Offered Calls", C::Calls},
        {"Forecast", C::Calls, U::None, R::Forecast},
        {"Forecast Calls", C::Calls, U::None, R::Forecast},
        {"Forecasted Calls", C::Calls, U::None, R::Forecast},
        {"Actual Calls", C::Calls, U::None, R::Actual},
        {"Actual", C::Calls, U::None, R::Actual},
        {"talk", C::Talk},
        {"Talk Time", C::Talk},
        {"talk_time", C::Talk},
        {"Avg Talk Time", C::Talk},
        {"Average Talk Time", C::Talk},
        {"acw", C::Acw},
        {"Wrap", C::Acw},
        {"Wrap-Up", C::Acw},
        {"After Call Work", C::Acw},
        {"Avg ACW", C::Acw},
        {"AHT", C::Aht},
        {"Handle Time", C::Aht},
        {"Avg Handle Time", C::Aht},
        {"Average Handle Time", C::Aht},
        {"AHT (sec)", C::Aht, U::Seconds},
        {"AHT (s)", C::Aht, U::Seconds},
        {"AHT_s", C::Aht, U::Seconds},
        {"AHT [seconds]", C::Aht, U::Seconds},
        {"AHT (min)", C::Aht, U::Minutes},
        {"Handle time (minutes)", C::Aht, U::Minutes},
        {"Handle time in minutes", C::Aht, U::Minutes},
        {"Talk Time (mins)", C::Talk, U::Minutes},
        {"AHT (hh:mm:ss)", C::Aht, U::Seconds},
        {"AHT (hours)", C::Aht, U::Unknown},
        {"Forecast AHT (s)", C::Aht, U::Seconds, R::Forecast},
        {"Actual AHT", C::Aht, U::None, R::Actual},
        {"Calls Forecast", C::Calls, U::None, R::Forecast},
        {"Volume (actual)", C::Calls, U::None, R::Actual},
        {"Calls (forecast)", C::Calls, U::None, R::Forecast},
        {"Number of Calls", C::Calls},
        {"Date/Time", C::DateTime},
        {"Interval Date", C::Date},
        {"interval", C::Interval},
        {"Time", C::Interval, U::None, R::Plain, true},
        {"Hour", C::Interval, U::None, R::Plain, true},
        {"Start", C::Interval},
        {"Interval Start", C::Interval},
        {"Start Time", C::Interval},
        {"Period", C::Interval},
        {"Date", C::Date},
        {"Date Time", C::DateTime},
        {"timestamp", C::DateTime},
        {"calls2", std::nullopt},
        {"talks", std::nullopt},
        {"Day", std::nullopt},
        {"Agents", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        const auto named = input::ColumnNamed(c.header);
        ASSERT_EQ(named.has_value(), c.column.has_value());
        if (!named) continue;
        EXPECT_EQ(named->column, *c.column);
        EXPECT_EQ(named->unit, c.unit);
        EXPECT_EQ(named->rank, c.rank);
        EXPECT_EQ(named->hourLike, c.hourLike);
    }
}

TEST(LabelTime, DatesTimesAndDateTimes) {
    const std::int32_t march1 = input::DayNumber({2027, 3, 1});
    EXPECT_EQ(input::DateText(march1), "2027-03-01");
    EXPECT_EQ(input::Weekday(march1), 0);  // a Monday
    EXPECT_EQ(input::DateText(input::DayNumber({2000, 2, 29})), "2000-02-29");
    for (const char* same : {"2027-03-01", "01.03.2027", " 2027-03-01 ", "2027-3-1",
                             "2027/03/01", "1.3.2027"})
        EXPECT_EQ(input::ParseDate(same), march1) << same;
    for (const char* bad : {"2027-02-29", "2027-13-01", "32.01.2027", "2027-03-011", "x",
                            "03/01/27", "2027.03.01", "1/1/1/2027"})
        EXPECT_FALSE(input::ParseDate(bad)) << bad;
    EXPECT_TRUE(input::ParseDate("2028-02-29"));
    // Day and month before the year: read in the order given; without one,
    // only where no other reading exists.
    struct Ordered {
        const char* text;
        input::DateOrder order;
        std::optional<input::CivilDate> date;
    };
    const Ordered ordered[] = {
        {"03/01/2027", DateOrder::MonthFirst, input::CivilDate{2027, 3, 1}},
        {"03/01/2027", DateOrder::DayFirst, input::CivilDate{2027, 1, 3}},
        {"03/01/2027", DateOrder::Unknown, std::nullopt},
        {"3/1/2027", DateOrder::MonthFirst, input::CivilDate{2027, 3, 1}},
        {"3-1-2027", DateOrder::DayFirst, input::CivilDate{2027, 1, 3}},
        {"13/03/2027", DateOrder::Unknown, input::CivilDate{2027, 3, 13}},
        {"03/13/2027", DateOrder::Unknown, input::CivilDate{2027, 3, 13}},
        {"13/03/2027", DateOrder::MonthFirst, std::nullopt},
        {"05/05/2027", DateOrder::Unknown, input::CivilDate{2027, 5, 5}},
    };
    for (const Ordered& o : ordered) {
        SCOPED_TRACE(o.text);
        const auto day = input::ParseDate(o.text, o.order);
        ASSERT_EQ(day.has_value(), o.date.has_value());
        if (day) {
            EXPECT_EQ(*day, input::DayNumber(*o.date));
        }
    }
    ASSERT_TRUE(input::OrderedDateFields("3/11/2027 9:00 AM"));
    EXPECT_EQ(input::OrderedDateFields("3/11/2027 9:00 AM")->first, 3);
    EXPECT_EQ(input::OrderedDateFields("3/11/2027")->second, 11);
    EXPECT_FALSE(input::OrderedDateFields("2027-03-11"));
    EXPECT_FALSE(input::OrderedDateFields("11-Mar-2027"));
    // The month by its name: no order to settle.
    for (const char* same : {"01-Mar-2027", "1-Mar-27", "1 March 2027", "Mar 1, 2027",
                             "March 1 2027", "1 mar 2027", "01/MAR/2027"})
        EXPECT_EQ(input::ParseDate(same), march1) << same;
    for (const char* bad : {"Mar 2027", "1 Mars 2027", "32-Mar-2027", "1-Mar-202", "Mar 1,"})
        EXPECT_FALSE(input::ParseDate(bad)) << bad;
    EXPECT_EQ(input::ParseDateTime("1-Mar-2027 7:30 AM")->minute, 450);
    EXPECT_FALSE(input::ParseDateTime("01-Mar-2027T07:30"));
    EXPECT_FALSE(input::OrderedDateFields("11.03.2027"));

    const std::pair<const char*, int> times[] = {
        {"08:00", 480},         {"8:00", 480},         {"08:30:00", 510}, {"23:59", 1439},
        {"08:00 - 08:30", 480}, {"08:00-08:15", 480},  {"24:00", -1},     {"8h", -1},
        {"08:60", -1},          {"08:00 to 09:00", -1}, {"9:00 AM", 540},  {"9:00 am", 540},
        {"11:30 pm", 1410},     {"12:00 AM", 0},       {"12:30 PM", 750}, {"9 AM", 540},
        {"9:00AM", 540},        {"9:00 p.m.", 1260},   {"13:00 PM", -1},  {"0:30 AM", -1},
        {"9:00 AM - 9:30 AM", 540}, {"9", -1},         {"9:00 AMX", -1}};
    for (const auto& [text, minute] : times)
        EXPECT_EQ(input::ParseTimeOfDay(text).value_or(-1), minute) << text;

    for (const char* text : {"2027-03-01 07:30", "2027-03-01T07:30", "01.03.2027 07:30",
                             "03/01/2027 07:30:00", "3/1/2027 7:30 AM"}) {
        const auto at = input::ParseDateTime(text, DateOrder::MonthFirst);
        ASSERT_TRUE(at) << text;
        EXPECT_EQ(at->day, march1);
        EXPECT_EQ(at->minute, 450);
    }
    for (const char* bad : {"01.03.2027T07:30", "2027-03-01", "2027-03-01 7h30"})
        EXPECT_FALSE(input::ParseDateTime(bad)) << bad;
}

// Rows of labels: a day number (or none) and a minute.
input::StepCounter Steps(std::initializer_list<std::pair<int, int>> labels) {
    input::StepCounter steps;
    int line = 2;
    for (const auto& [day, minute] : labels) {
        input::ForecastRow row;
        row.line = line++;
        if (day >= 0) row.day = day;
        row.minute = minute;
        steps.Add(row);
    }
    return steps;
}

TEST(IntervalStep, TheCommonStepBetweenLabelsOfADay) {
    // Quarter-hours with a gap at noon and a night between two days.
    const input::StepCounter quarters =
        Steps({{1, 480}, {1, 495}, {1, 510}, {1, 600}, {1, 615}, {2, 480}, {2, 495}});
    EXPECT_EQ(quarters.Step(), 15);
    EXPECT_EQ(input::ResolveInterval(quarters, std::nullopt).Value(), 15);
    EXPECT_EQ(input::ResolveInterval(quarters, 15).Value(), 15);
    const auto contradicted = input::ResolveInterval(quarters, 30);
    ASSERT_FALSE(contradicted);
    EXPECT_EQ(contradicted.Error().kind, PlanFault::Kind::IntervalContradicted);
    EXPECT_EQ(contradicted.Error().message,
              "the labels are 15 minutes apart (08:00 to 08:15 at line 3)");
    // Times without dates wrap at midnight; an even tie takes the shorter.
    EXPECT_EQ(Steps({{-1, 1380}, {-1, 1410}, {-1, 0}, {-1, 30}}).Step(), 30);
    EXPECT_EQ(Steps({{-1, 0}, {-1, 30}, {-1, 90}}).Step(), 30);
    // No times: the interval given, else half-hours.
    EXPECT_FALSE(input::StepCounter().Step());
    EXPECT_EQ(input::ResolveInterval(input::StepCounter(), std::nullopt).Value(), 30);
    EXPECT_EQ(input::ResolveInterval(input::StepCounter(), 60).Value(), 60);
}

}  // namespace
}  // namespace corvane::plan
