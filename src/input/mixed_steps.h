#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "input/forecast.h"

namespace corvane::input {

// Refuses a file whose rows are of different lengths, which one interval
// length would misplan: a run of hourly night rows among half-hours, or a
// day of quarter-hours beside days of half-hours. Within a day (or, without
// dates, a stretch of rising times) the common step is the length; another
// step seen twice in a row, or once when it is not a whole number of
// lengths, is a different length, while one longer jump of whole lengths
// is intervals left out (a closed hour), where the common step is more
// than all others together (or, in a day where it is not, is the file's).
// Days whose lengths differ from the
// file's are refused too. Throws a PlanInputError naming `name` and the line.
class MixedSteps {
public:
    explicit MixedSteps(std::string name) : name_(std::move(name)) {}
    void Add(const ForecastRow& row);
    // Once every row is added.
    void Finish();

private:
    struct Run {
        int step = 0;
        int length = 0;
        int line = 0;  // the row that ends its first step
        std::string from, to;
    };
    struct Stretch {
        std::optional<std::int32_t> day;
        int firstLine = 0;
        int lastMinute = 0;
        std::string lastLabel;
        std::vector<Run> runs;
    };
    struct Length {
        long pairs = 0;
        int line = 0;  // the first stretch of this length begins here
        std::optional<std::int32_t> day;
    };

    void Close();
    // Refuses the first run of another step; `gaps`: but for jumps of
    // whole lengths.
    void Check(const Stretch& s, int common, bool gaps) const;

    // Days without a clear step wait for the file's; past this many they
    // are judged alone.
    static constexpr std::size_t kMostUnsettled = 4096;
    std::vector<Stretch> unsettled_;
    [[noreturn]] void Refuse(int line, const std::string& why) const;

    std::string name_;
    std::optional<Stretch> open_;
    std::map<int, Length> lengths_;  // each stretch's length, with the pairs it had
};

}  // namespace corvane::input
