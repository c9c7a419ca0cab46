#include "shifts/shift_file.h"

#include <array>
#include <set>
#include <stdexcept>

#include "calc/plain_text.h"
#include "calc/utf8_text.h"
#include "input/column_names.h"
#include "input/csv_records.h"
#include "plan/decimal.h"
#include "input/label_time.h"
#include "input/text_check.h"

namespace corvane::shifts {

namespace {

using input::CsvRecord;
using input::Printable;
using input::Where;

enum class Column { Name, Length, Earliest, Latest, Days, Max, Cost, Lunch, LunchAfter, LunchBefore };
constexpr std::size_t kColumns = 10;
constexpr std::array<const char*, kColumns> kKeys = {
    "name", "length", "earliest", "latest", "days", "max", "cost", "lunch", "lunchafter",
    "lunchbefore"};
constexpr std::size_t kMaxNameChars = 64;
constexpr long kMaxAgents = 1'000'000;
constexpr double kMaxCost = 1e6;
constexpr const char* kDayNames[] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};

// "8:30"
std::string ClockText(int minutes) {
    const std::string mm = std::to_string(minutes % 60);
    return std::to_string(minutes / 60) + ":" + (mm.size() < 2 ? "0" : "") + mm;
}

// Leaves the reading of one file; caught where the file is read.
struct Refusal : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// "H:MM" or "HH:MM" as minutes; nothing for other text.
std::optional<int> ParseClock(std::string_view text) {
    text = text::Trim(text);
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2 || text.size() != colon + 3)
        return std::nullopt;
    int hours = 0;
    for (const char c : text.substr(0, colon)) {
        if (c < '0' || c > '9') return std::nullopt;
        hours = hours * 10 + (c - '0');
    }
    const char m1 = text[colon + 1];
    const char m2 = text[colon + 2];
    if (m1 < '0' || m1 > '5' || m2 < '0' || m2 > '9') return std::nullopt;
    return hours * 60 + (m1 - '0') * 10 + (m2 - '0');
}

std::optional<int> DayNamed(std::string_view text) {
    const std::string key = text::Lower(std::string(text::Trim(text)));
    for (int d = 0; d < 7; ++d)
        if (key == kDayNames[d]) return d;
    return std::nullopt;
}

// "Mon-Fri", "Sat,Sun", "Mon,Wed-Fri", "Fri-Mon" (over the weekend).
std::optional<std::bitset<7>> ParseDays(std::string_view text) {
    std::bitset<7> days;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view part = text.substr(start, comma - start);
        const std::size_t dash = part.find('-');
        const auto first = DayNamed(part.substr(0, dash));
        const auto last = dash == std::string_view::npos ? first : DayNamed(part.substr(dash + 1));
        if (!first || !last) return std::nullopt;
        for (int d = *first;; d = (d + 1) % 7) {
            days.set(static_cast<std::size_t>(d));
            if (d == *last) break;
        }
        if (comma == text.size()) return days;
        start = comma + 1;
    }
}

class RowReader {
public:
    RowReader(const std::string& name, const CsvRecord& header, input::FigureMarks marks)
        : name_(name), marks_(marks) {
        index_.fill(-1);
        for (std::size_t i = 0; i < header.fields.size(); ++i) {
            const std::string key = input::ColumnKey(header.fields[i]);
            for (std::size_t c = 0; c < kColumns; ++c) {
                if (key != kKeys[c]) continue;
                if (index_[c] >= 0)
                    throw Refusal(input::Where(name, header.line) + "two columns give '" +
                                  std::string(kKeys[c]) + "'");
                index_[c] = static_cast<int>(i);
                names_[c] = Printable(text::Trim(header.fields[i]));
            }
        }
        for (const Column c : {Column::Name, Column::Length, Column::Earliest, Column::Latest})
            if (!Has(c))
                throw Refusal(input::Where(name, header.line) + "no '" + kKeys[Index(c)] +
                              "' column (a shifts file has name, length, earliest and latest)");
    }

    ShiftType Read(const CsvRecord& r) const {
        ShiftType s;
        s.line = r.line;
        s.name = std::string(text::Trim(Text(r, Column::Name)));
        if (s.name.empty()) Refuse(r, Column::Name, "is empty");
        if (utf8::Length(s.name) > kMaxNameChars)
            Refuse(r, Column::Name,
                   "is longer than " + std::to_string(kMaxNameChars) + " characters");
        s.length = Clock(r, Column::Length);
        if (s.length <= 0 || s.length > 24 * 60)
            Refuse(r, Column::Length, "must be more than 0:00 and at most 24:00");
        s.earliest = TimeOfDay(r, Column::Earliest);
        s.latest = TimeOfDay(r, Column::Latest);
        if (s.latest < s.earliest)
            Refuse(r, Column::Latest, "is before earliest (" + input::TimeText(s.earliest) + ")");
        if (Given(r, Column::Days)) {
            const auto days = ParseDays(Text(r, Column::Days));
            if (!days) Refuse(r, Column::Days, "is not days such as Mon-Fri or Sat,Sun");
            s.days = *days;
        }
        if (Given(r, Column::Max)) {
            const auto max = plan::ParseWhole(Text(r, Column::Max));
            if (!max || *max > kMaxAgents)
                Refuse(r, Column::Max, "is not a whole number of agents, 0 to 1,000,000");
            s.max = static_cast<long>(*max);
        }
        if (Given(r, Column::Cost)) {
            const auto cost = input::ParseFigure(Text(r, Column::Cost), marks_);
            if (!cost) Refuse(r, Column::Cost, cost.Error());
            if (!(cost.Value() > 0) || cost.Value() > kMaxCost)
                Refuse(r, Column::Cost, "must be more than 0 and at most 1,000,000");
            s.cost = cost.Value();
        }
        ReadLunch(r, s);
        return s;
    }

    int Line(const CsvRecord& r) const { return r.line; }
    std::string Where(int line) const { return input::Where(name_, line); }

private:
    void ReadLunch(const CsvRecord& r, ShiftType& s) const {
        const bool after = Given(r, Column::LunchAfter);
        const bool before = Given(r, Column::LunchBefore);
        if (Given(r, Column::Lunch)) s.lunch = Clock(r, Column::Lunch);
        if (s.lunch == 0) {
            if (after || before)
                Refuse(r, after ? Column::LunchAfter : Column::LunchBefore,
                       "is given for a shift without a lunch");
            return;
        }
        if (!after || !before)
            throw Refusal(Where(r.line) + "a lunch needs both lunch_after and lunch_before");
        s.lunchAfter = Clock(r, Column::LunchAfter);
        s.lunchBefore = Clock(r, Column::LunchBefore);
        if (s.lunchBefore < s.lunchAfter)
            Refuse(r, Column::LunchBefore,
                   "is before lunch_after (" + ClockText(s.lunchAfter) + ")");
        if (s.lunchBefore + s.lunch > s.length)
            Refuse(r, Column::LunchBefore,
                   "lets the lunch end after the shift (" + ClockText(s.length) + " long)");
        if (s.lunchAfter == 0) Refuse(r, Column::LunchAfter, "must be after the start (0:00)");
    }

    static std::size_t Index(Column c) { return static_cast<std::size_t>(c); }
    bool Has(Column c) const { return index_[Index(c)] >= 0; }

    bool Given(const CsvRecord& r, Column c) const {
        if (!Has(c)) return false;
        const auto i = static_cast<std::size_t>(index_[Index(c)]);
        return i < r.fields.size() && !text::Trim(r.fields[i]).empty();
    }

    const std::string& Text(const CsvRecord& r, Column c) const {
        const auto i = static_cast<std::size_t>(index_[Index(c)]);
        if (i >= r.fields.size())
            throw Refusal(Where(r.line) + names_[Index(c)] + ": missing value");
        return r.fields[i];
    }

    int Clock(const CsvRecord& r, Column c) const {
        const auto minutes = ParseClock(Text(r, c));
        if (!minutes) Refuse(r, c, "is not a length of time (H:MM)");
        return *minutes;
    }

    int TimeOfDay(const CsvRecord& r, Column c) const {
        const auto minutes = ParseClock(Text(r, c));
        if (!minutes || *minutes >= 24 * 60) Refuse(r, c, "is not a time of day (HH:MM)");
        return *minutes;
    }

    [[noreturn]] void Refuse(const CsvRecord& r, Column c, const std::string& why) const {
        const auto i = static_cast<std::size_t>(index_[Index(c)]);
        const std::string text = i < r.fields.size() ? r.fields[i] : std::string();
        throw Refusal(Where(r.line) + names_[Index(c)] + ": '" + Printable(text) + "' " + why);
    }

    std::string name_;
    input::FigureMarks marks_;
    std::array<int, kColumns> index_{};
    std::array<std::string, kColumns> names_;
};

input::PlanFault Fault(std::string message) {
    return {input::PlanFault::Kind::BadInput, std::move(message)};
}

}  // namespace

Result<ShiftFile, input::PlanFault> ReadShiftFile(input::ByteSource& source, const std::string& name) {
    input::CsvRecordReader records(source, name, "a shifts file");
    ShiftFile file;
    file.name = name;
    try {
        CsvRecord record;
        auto more = records.Next(record);
        if (!more) return Fail(more.Error());
        if (!more.Value()) return Fail(Fault(name + ": the file is empty"));
        const RowReader reader(name, record, records.Marks());
        std::set<std::string> names;
        for (;;) {
            more = records.Next(record);
            if (!more) return Fail(more.Error());
            if (!more.Value()) break;
            if (file.types.size() == kMaxShiftTypes)
                return Fail(Fault(reader.Where(record.line) + "more than " +
                                  std::to_string(kMaxShiftTypes) + " shift types"));
            ShiftType type = reader.Read(record);
            if (const auto control = input::FirstControl(type.name))
                return Fail(Fault(reader.Where(record.line) + "name: '" + Printable(type.name) +
                                  "' holds a control character (" +
                                  input::CodePointText(*control) +
                                  "): a shift's name must be plain text"));
            if (!names.insert(type.name).second)
                return Fail(Fault(reader.Where(record.line) + "name: '" + Printable(type.name) +
                                  "' is given twice"));
            file.types.push_back(std::move(type));
        }
    } catch (const Refusal& e) {
        return Fail(Fault(e.what()));
    }
    if (file.types.empty()) return Fail(Fault(name + ": no shifts below the header"));
    return file;
}

Result<void, input::PlanFault> CheckShiftTimes(const ShiftFile& file, int intervalMinutes) {
    for (const ShiftType& s : file.types) {
        const std::pair<const char*, int> times[] = {
            {"length", s.length},       {"earliest", s.earliest},       {"latest", s.latest},
            {"lunch", s.lunch},         {"lunch_after", s.lunchAfter}, {"lunch_before", s.lunchBefore}};
        for (const auto& [column, minutes] : times)
            if (minutes % intervalMinutes != 0)
                return Fail(Fault(Where(file.name, s.line) + column + ": '" + ClockText(minutes) +
                                  "' is not a whole number of the plan's " +
                                  std::to_string(intervalMinutes) + "-minute intervals"));
    }
    return {};
}

}  // namespace corvane::shifts
