// What a history must have to be forecast from, and the messages that say
// what is missing.
#include <gtest/gtest.h>

#include "history_maker.h"

namespace corvane::testing {
namespace {

TEST(History, RefusalsSayWhatIsNeeded) {
    struct Case {
        const char* what;
        std::string text;
        const char* message;  // the whole message, or its start
    };
    const auto days = [](int n) {
        return HistoryText(n, [](int) -> std::optional<double> { return 10.0; });
    };
    const Case cases[] = {
        {"thirteen days", days(13),
         "history.csv: the history covers 13 days (2027-03-01 to 2027-03-13): a forecast needs at "
         "least two weeks (14 days) of calls per interval"},
        {"one day", "Date,Time,Calls\n2027-03-01,08:00,5\n",
         "history.csv: the history covers 1 day (2027-03-01): a forecast needs at least two weeks "
         "(14 days) of calls per interval"},
        {"no calls at all", HistoryText(14, [](int) -> std::optional<double> { return 0.0; }),
         "history.csv: the history has no calls: a forecast needs calls to stand on"},
        {"calls only before the last four weeks",
         HistoryText(42, [](int k) -> std::optional<double> { return k < 14 ? 10.0 : 0.0; }),
         "history.csv: the history has no calls in its last four weeks (from 2027-03-15 to "
         "2027-04-11), so every day would be forecast closed"},
        {"negative calls", "Date,Time,Calls\n2027-03-01,08:00,5\n2027-03-01,08:30,-2\n",
         "history.csv:3: Calls: '-2' must not be negative"},
        {"times without dates", "Time,Calls\n08:00,5\n08:30,6\n",
         "history.csv:2: '08:00' has no date: a history needs the date of every interval"},
        // Out of order, so that the steps between rows cannot tell.
        {"a row off the half-hours", [] {
             std::string text = HistoryText(14, [](int) -> std::optional<double> { return 10.0; });
             return text.replace(text.find("2027-03-03,08:00"), 16, "2027-03-03,08:40");
         }(),
         "history.csv:10: '2027-03-03 08:40' does not start on the 30-minute intervals of the "
         "other rows (08:00, 08:30, ...): every interval of a history must have the same "
         "length"},
        {"no calls column", "Date,Time,Talk\n2027-03-01,08:00,5\n",
         "history.csv:1: no 'calls' column (or 'offered', 'volume', 'contacts', 'forecast')"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        input::TextSource source(c.text);
        const auto read = forecasting::ReadHistory(source, "history.csv", input::DateOrder::Unknown);
        ASSERT_FALSE(read);
        EXPECT_EQ(read.Error().message.rfind(c.message, 0), 0u) << read.Error().message;
    }
    // Fourteen days is enough.
    const std::string enough = days(14);
    input::TextSource source(enough);
    const auto read = forecasting::ReadHistory(source, "history.csv", input::DateOrder::Unknown);
    EXPECT_TRUE(read) << read.Error().message;
}

TEST(History, HandleTimeColumnsAreKnown) {
    struct Case {
        const char* header;
        const char* row;
        forecasting::HandleTimes expected;
    };
    const Case cases[] = {
        {"Date,Time,Calls", "5", forecasting::HandleTimes::None},
        {"Date,Time,Calls,Talk", "5,120", forecasting::HandleTimes::Talk},
        {"Date,Time,Calls,Talk,ACW", "5,120,30", forecasting::HandleTimes::TalkAndAcw},
        {"Date,Time,Calls,AHT", "5,150", forecasting::HandleTimes::Aht},
    };
    for (const Case& c : cases) {
        std::string text = std::string(c.header) + "\n";
        for (int k = 0; k < 14; ++k)
            text += input::DateText(FirstDay() + k) + ",08:00," + c.row + "\n";
        EXPECT_EQ(History(text).handleTimes, c.expected) << c.header;
    }
}

}  // namespace
}  // namespace corvane::testing
