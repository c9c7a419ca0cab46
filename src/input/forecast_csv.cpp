#include "input/forecast_csv.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <deque>
#include <optional>
#include <unordered_map>
#include <vector>

#include "calc/plain_text.h"
#include "calc/utf8_text.h"
#include "input/column_names.h"
#include "input/csv_records.h"
#include "input/figure_text.h"
#include "input/input_error.h"
#include "input/label_time.h"
#include "input/mixed_steps.h"
#include "input/text_check.h"

namespace corvane::input {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

using Column = ForecastColumn;

bool IsTotalWord(std::string_view label) {
    const std::string word = text::Lower(text::Trim(label));
    return word == "total" || word == "grand total" || word == "sum" || word == "totals";
}

// Whether a line's fields are a forecast's header: a calls column and one
// for the intervals or the handle time.
bool IsForecastHeader(const std::vector<std::string>& fields) {
    bool calls = false;
    bool other = false;
    for (const std::string& f : fields)
        if (const auto named = ColumnNamed(f))
            (named->column == Column::Calls ? calls : other) = true;
    return calls && other;
}

bool IsWholeHour(std::string_view text, int& hour) {
    const std::string_view t = text::Trim(text);
    if (t.empty() || t.size() > 2 || !std::all_of(t.begin(), t.end(), text::IsDigit)) return false;
    hour = std::stoi(std::string(t));
    return hour <= 23;
}

bool IsDateTime(std::string_view text) {
    return ParseDateTime(text, DateOrder::DayFirst) || ParseDateTime(text, DateOrder::MonthFirst);
}
bool IsDate(std::string_view text) {
    return ParseDate(text, DateOrder::DayFirst) || ParseDate(text, DateOrder::MonthFirst);
}

const char* DelimiterText(char d) {
    switch (d) {
        case ';': return "';'";
        case '\t': return "tabs";
        case '|': return "'|'";
        default: return "','";
    }
}

class RowReader {
public:
    RowReader(const std::string& name, const CsvRecord& header, FigureMarks marks, char delimiter,
              std::vector<std::string>& notices)
        : name_(name),
          marks_(marks),
          delimiter_(delimiter),
          headerLine_(header.line),
          columns_(header.fields.size()) {
        index_.fill(-1);
        std::array<ColumnRank, kForecastColumns> ranks{};
        std::array<std::string, kForecastColumns> setAside;
        for (std::size_t i = 0; i < header.fields.size(); ++i) {
            const std::string_view field = text::Trim(header.fields[i]);
            // A file saved twice with a byte-order mark would otherwise hide
            // its first column behind an invisible character.
            if (field.substr(0, kBom.size()) == kBom)
                Refuse(header.line, "the column name '" + Printable(field.substr(kBom.size())) +
                                        "' begins with a second byte-order mark");
            const auto named = ColumnNamed(field);
            if (!named) continue;
            const auto c = static_cast<std::size_t>(named->column);
            auto& at = index_[c];
            if (at >= 0 && ranks[c] == named->rank)
                Refuse(header.line, "the columns '" + Printable(text::Trim(header.fields[at])) +
                                        "' and '" + Printable(field) + "' both give " +
                                        ColumnText(named->column) + ": remove or rename one");
            if (at >= 0 && ranks[c] > named->rank) {  // a forecast before an actual
                setAside[c] = Printable(field);
                continue;
            }
            if (at >= 0) setAside[c] = names_[c];
            at = static_cast<int>(i);
            ranks[c] = named->rank;
            names_[c] = Printable(field);
            units_[c] = named->unit;
            hourLike_[c] = named->hourLike;
            if (named->unit == ColumnUnit::Unknown && IsDuration(named->column))
                Refuse(header.line, "'" + Printable(field) + "': the unit '" +
                                        Printable(named->unitText) +
                                        "' is not one handle times are read in: give seconds "
                                        "('(s)') or minutes ('(min)')");
        }
        for (std::size_t c = 0; c < kForecastColumns; ++c)
            if (!setAside[c].empty())
                notices.push_back(Where(name_, header.line) + "plans '" + names_[c] +
                                  "', not '" + setAside[c] + "'");
        if (!Has(Column::Calls)) {
            std::string why = "no 'calls' column (or 'offered', 'volume', 'contacts', 'forecast')";
            if (header.fields.size() == 1)
                why += ": the header is one field, '" + Printable(header.fields[0]) +
                       "'; columns must be separated by commas, semicolons, tabs or '|'";
            Refuse(header.line, why);
        }
        for (const Column part : {Column::Talk, Column::Acw})
            if (Has(Column::Aht) && Has(part))
                Refuse(header.line, "both '" + Name(Column::Aht) + "' and '" + Name(part) +
                                        "': the handle time already holds talk and after-call "
                                        "work, so the file is ambiguous");
        if (Has(Column::DateTime) && (Has(Column::Date) || Has(Column::Interval)))
            Refuse(header.line, "both '" + Name(Column::DateTime) + "' and '" +
                                    Name(Has(Column::Date) ? Column::Date : Column::Interval) +
                                    "': the file is ambiguous about its intervals");
        header_ = header.fields;
    }

    bool Has(Column c) const { return index_[static_cast<std::size_t>(c)] >= 0; }
    int HeaderLine() const { return headerLine_; }

    // Where the header names no column for the intervals, the first row
    // shows which holds them: the first column whose cell is a date and
    // time, a time of day, or a date. A date column whose cells hold times
    // too is read as dates and times.
    void FindLabels(const CsvRecord& first, std::vector<std::string>& notices) {
        const auto cell = [&](std::size_t i) -> std::string_view {
            return i < first.fields.size() ? std::string_view(first.fields[i]) : "";
        };
        if (Has(Column::Date) && !Has(Column::Interval) && IsDateTime(cell(Index(Column::Date)))) {
            Move(Column::Date, Column::DateTime);
            return;
        }
        if (Has(Column::DateTime) || Has(Column::Interval)) return;
        const auto unnamed = [&](std::size_t i) {
            for (const int at : index_)
                if (at == static_cast<int>(i)) return false;
            return true;
        };
        const auto find = [&](Column c, bool (*holds)(std::string_view)) {
            if (Has(c)) return;
            for (std::size_t i = 0; i < header_.size(); ++i)
                if (unnamed(i) && holds(cell(i))) {
                    index_[static_cast<std::size_t>(c)] = static_cast<int>(i);
                    names_[static_cast<std::size_t>(c)] = Printable(text::Trim(header_[i]));
                    notices.push_back(Where(name_, headerLine_) + "reads '" +
                                      Printable(text::Trim(header_[i])) + "' as the " +
                                      (c == Column::DateTime ? "dates and times"
                                       : c == Column::Date   ? "dates"
                                                             : "times") +
                                      " of the intervals (line " + std::to_string(first.line) +
                                      " holds '" + Printable(cell(i)) + "')");
                    return;
                }
        };
        if (!Has(Column::Date)) find(Column::DateTime, IsDateTime);
        if (Has(Column::DateTime)) return;
        find(Column::Interval, [](std::string_view t) { return ParseTimeOfDay(t).has_value(); });
        if (Has(Column::Interval)) find(Column::Date, IsDate);
    }

    // The texts of the row that may hold a date, for the date order.
    template <typename Each>
    void DateTexts(const CsvRecord& r, Each each) const {
        for (const Column c : {Column::DateTime, Column::Date, Column::Interval})
            if (Has(c) && Index(c) < r.fields.size()) each(r.fields[Index(c)]);
    }

    // A row with more filled fields than the header has columns has shifted
    // its figures (a thousands separator read as a delimiter, most often):
    // which of them is which cannot be known.
    void CheckWidth(const CsvRecord& r) const {
        if (r.fields.size() == 1 && columns_ > 1) {
            if (const std::string cause = ShortRowCause(r); !cause.empty())
                Refuse(r.line, "one field where the header has " + std::to_string(columns_) +
                                   " columns" + cause);
        }
        if (r.fields.size() <= columns_) return;
        std::size_t filled = 0;
        bool past = false;
        for (std::size_t i = 0; i < r.fields.size(); ++i) {
            const bool blank = text::Trim(r.fields[i]).empty();
            filled += !blank;
            past |= i >= columns_ && !blank;
        }
        if (past)
            Refuse(r.line, std::to_string(filled) + " filled fields, but the header has " +
                               std::to_string(columns_) +
                               " columns: quote a figure with a thousands separator (\"1,234\") "
                               "or write it without one");
    }

    // A total row, which would be planned and counted twice: a label that
    // says so, or none on a row of a file whose rows have labels.
    void CheckTotal(const CsvRecord& r) const {
        std::string_view first;
        bool any = false;
        for (const Column c : {Column::DateTime, Column::Date, Column::Interval}) {
            if (!Has(c)) continue;
            const std::string_view cell =
                Index(c) < r.fields.size() ? text::Trim(r.fields[Index(c)]) : std::string_view();
            if (first.empty()) first = cell;
            any |= !cell.empty();
        }
        const bool labelled = Has(Column::DateTime) || Has(Column::Date) || Has(Column::Interval);
        if (labelled && IsTotalWord(first))
            Refuse(r.line, "'" + Printable(first) +
                               "' is a total row, not an interval: remove it (corvane-plan adds "
                               "up the totals)");
        if (labelled && !any)
            Refuse(r.line, "the row has no " +
                               std::string(Has(Column::Interval) ? "interval" : "date") +
                               ", as a total row has none: remove it, or give it its interval");
    }

    // The label, with the date and time it carries; false when the file
    // has no label column. The label's field is taken from the record.
    bool Label(CsvRecord& r, ForecastRow& row, DateOrder order) const {
        if (Has(Column::DateTime)) {
            const std::string& text = Text(r, Column::DateTime);
            const auto at = ParseDateTime(text, order);
            if (!at)
                Refuse(r, Column::DateTime, text,
                       "is not a date and time (YYYY-MM-DD HH:MM, DD.MM.YYYY HH:MM or "
                       "MM/DD/YYYY HH:MM)" + OrderText(order));
            Dated(row, at->day, at->minute);
            return true;
        }
        if (Has(Column::Date)) {
            const std::string& text = Text(r, Column::Date);
            const auto day = ParseDate(text, order);
            if (!day)
                Refuse(r, Column::Date, text,
                       "is not a date (YYYY-MM-DD, DD.MM.YYYY or MM/DD/YYYY)" + OrderText(order));
            std::optional<int> minute;
            if (Has(Column::Interval)) minute = TimeOf(r);
            Dated(row, *day, minute);
            return true;
        }
        if (!Has(Column::Interval)) return false;
        if (const auto hour = Hour(r)) {
            row.label = TimeText(*hour * 60);
            row.minute = *hour * 60;
            return true;
        }
        row.label = std::move(Field(r, Column::Interval));
        if (utf8::Length(row.label) > kMaxLabelChars)
            Refuse(r, Column::Interval, row.label,
                   "is longer than " + std::to_string(kMaxLabelChars) + " characters");
        // Plans, charts and terminals show labels as they stand.
        if (const auto control = FirstControl(row.label))
            Refuse(r, Column::Interval, row.label,
                   "holds a control character (" + CodePointText(*control) +
                       "): a label must be plain text");
        if (const auto at = ParseDateTime(row.label, order)) {
            Dated(row, at->day, at->minute);
        } else {
            row.minute = ParseTimeOfDay(row.label);
        }
        return true;
    }

    // A count of calls, 0 or more.
    double Count(const CsvRecord& r, Column c) const {
        const std::string& text = Text(r, c);
        const auto value = ParseFigure(text, marks_);
        if (!value) Refuse(r, c, text, value.Error());
        return value.Value();
    }

    // A time in seconds; talk and handle times must be more than 0. A row
    // without calls needs none: there an empty cell, "-" or 0 reads as 0.
    enum class Least { Zero, AboveZero };
    double Seconds(const CsvRecord& r, Column c, Least least, double calls) {
        const auto at = static_cast<std::size_t>(index_[static_cast<std::size_t>(c)]);
        if (calls == 0 && at >= r.fields.size()) return 0;  // a trailing cell left out
        const std::string& text = Text(r, c);
        if (calls == 0) {
            const std::string_view cell = text::Trim(text);
            if (cell.empty() || cell == "-") return 0;
            if (const auto value = ParseDuration(text, marks_); value && value.Value() == 0)
                return 0;
        }
        const auto value = ParseDuration(text, marks_);
        if (!value) Refuse(r, c, text, value.Error());
        if (least == Least::AboveZero && !(value.Value() > 0))
            Refuse(r, c, text, "must be more than 0");
        const bool clock = text.find(':') != std::string::npos;  // H:MM:SS says its unit
        const ColumnUnit unit = units_[static_cast<std::size_t>(c)];
        if (clock || unit != ColumnUnit::None) return clock || unit == ColumnUnit::Seconds
                                                          ? value.Value()
                                                          : std::min(value.Value() * 60, kFigureCap);
        // Plain figures without a unit are seconds, unless every one is
        // small enough to be minutes: see CheckUnits.
        if (calls > 0 && c != Column::Acw) {
            Plain& seen = plain_[static_cast<std::size_t>(c)];
            if (seen.line == 0 || value.Value() > seen.largest) {
                seen.largest = value.Value();
                seen.line = r.line;
            }
        }
        return value.Value();
    }

    // Handle times of a few seconds are minutes written without their unit
    // far more often than real calls: a file whose every talk or handle time
    // is below 20 must say which it means.
    void CheckUnits() const {
        for (const Column c : {Column::Talk, Column::Aht}) {
            const Plain& seen = plain_[static_cast<std::size_t>(c)];
            if (seen.line == 0 || seen.largest >= kLeastSeconds) continue;
            Refuse(headerLine_, "'" + Name(c) + "': every " +
                                    (c == Column::Talk ? "talk" : "handle") + " time is below " + std::to_string(int(kLeastSeconds)) +
                                    " (the largest, at line " + std::to_string(seen.line) +
                                    ", is " + FigureText(seen.largest) +
                                    "), too short for seconds: name the unit in the header, '" +
                                    Name(c) + " (min)' or '" + Name(c) + " (s)'");
        }
    }

    // The reason a row is cut short, when it is a row with another delimiter.
    std::string ShortRowCause(const CsvRecord& r) const {
        if (r.fields.size() != 1) return "";
        for (const char d : kDelimiters)
            if (d != delimiter_ && r.fields[0].find(d) != std::string::npos)
                return " (the row is separated by " + std::string(DelimiterText(d)) +
                       ", the header by " + DelimiterText(delimiter_) + ")";
        return "";
    }

private:
    static constexpr double kLeastSeconds = 20;

    struct Plain {
        double largest = 0;
        int line = 0;
    };

    static bool IsDuration(Column c) {
        return c == Column::Talk || c == Column::Acw || c == Column::Aht;
    }

    static std::string OrderText(DateOrder order) {
        switch (order) {
            case DateOrder::DayFirst: return ", with the day first as in the rest of the file";
            case DateOrder::MonthFirst: return ", with the month first as in the rest of the file";
            case DateOrder::Unknown: break;
        }
        return "";
    }

    static std::string FigureText(double v) {
        std::string t = std::to_string(v);
        t.erase(t.find_last_not_of('0') + 1);
        if (!t.empty() && t.back() == '.') t.pop_back();
        return t;
    }

    // A whole hour 0-23 under an hour-like header ("Hour", "Time").
    std::optional<int> Hour(const CsvRecord& r) const {
        int hour = 0;
        if (!hourLike_[static_cast<std::size_t>(Column::Interval)] ||
            !IsWholeHour(Text(r, Column::Interval), hour))
            return std::nullopt;
        return hour;
    }

    int TimeOf(const CsvRecord& r) const {
        if (const auto hour = Hour(r)) return *hour * 60;
        const std::string& time = Text(r, Column::Interval);
        const auto minute = ParseTimeOfDay(time);
        if (!minute)
            Refuse(r, Column::Interval, time, "is not a time of day (HH:MM or H:MM AM)");
        return *minute;
    }

    void Move(Column from, Column to) {
        const auto f = static_cast<std::size_t>(from);
        const auto t = static_cast<std::size_t>(to);
        index_[t] = index_[f];
        names_[t] = names_[f];
        index_[f] = -1;
    }

    static void Dated(ForecastRow& row, std::int32_t day, std::optional<int> minute) {
        row.day = day;
        row.minute = minute;
        row.label = DateText(day);
        if (minute) row.label += " " + TimeText(*minute);
    }

    std::size_t Index(Column c) const {
        return static_cast<std::size_t>(index_[static_cast<std::size_t>(c)]);
    }
    const std::string& Text(const CsvRecord& r, Column c) const { return r.fields[Index(r, c)]; }
    std::string& Field(CsvRecord& r, Column c) const { return r.fields[Index(r, c)]; }
    std::size_t Index(const CsvRecord& r, Column c) const {
        const std::size_t i = Index(c);
        if (i >= r.fields.size())
            throw PlanInputError(Where(name_, r.line) + Name(c) + ": missing value" +
                                 ShortRowCause(r));
        return i;
    }

    std::string Name(Column c) const { return names_[static_cast<std::size_t>(c)]; }

    [[noreturn]] void Refuse(int line, const std::string& why) const {
        throw PlanInputError(Where(name_, line) + why);
    }
    [[noreturn]] void Refuse(const CsvRecord& r, Column c, const std::string& text,
                             const std::string& why) const {
        Refuse(r.line, Name(c) + ": '" + Printable(text) + "' " + why);
    }

    std::string name_;
    FigureMarks marks_;
    char delimiter_;
    std::array<int, kForecastColumns> index_{};
    std::array<std::string, kForecastColumns> names_;  // as the header writes them
    std::array<ColumnUnit, kForecastColumns> units_{};
    std::array<bool, kForecastColumns> hourLike_{};
    std::array<Plain, kForecastColumns> plain_{};
    std::vector<std::string> header_;
    int headerLine_ = 0;
    std::size_t columns_ = 0;
};

// The order of a file's dates where day and month could be either way round,
// as the file settles it: a first field above 12 is a day, a second one
// above 12 too. Rows wait until it is settled (see Impl::Take).
class DateOrderJudge {
public:
    DateOrderJudge(const std::string& name, DateOrder given) : name_(name), order_(given) {}

    DateOrder Order() const { return order_; }
    // Whether a row read now might be misread.
    bool Waiting() const { return order_ == DateOrder::Unknown && ambiguousLine_ != 0; }
    int AmbiguousLine() const { return ambiguousLine_; }

    void See(std::string_view text, int line) {
        const auto fields = OrderedDateFields(text);
        if (!fields || fields->first == fields->second) return;
        DateOrder shows = DateOrder::Unknown;
        if (fields->first > 12 && fields->second <= 12) shows = DateOrder::DayFirst;
        if (fields->second > 12 && fields->first <= 12) shows = DateOrder::MonthFirst;
        if (shows == DateOrder::Unknown) {
            if (fields->first <= 12 && fields->second <= 12 && ambiguousLine_ == 0) {
                ambiguousLine_ = line;
                ambiguous_ = std::string(text::Trim(text));
            }
            return;
        }
        if (given_ || order_ == shows) return;
        if (order_ != DateOrder::Unknown)
            throw PlanInputError(Where(name_, line) + "'" + Printable(text::Trim(text)) +
                                 "' has its " + Word(shows) + " first, but line " +
                                 std::to_string(settledLine_) + " ('" + settled_ +
                                 "') its " + Word(order_) +
                                 ": every date of a file must be written the same way");
        order_ = shows;
        settledLine_ = line;
        settled_ = Printable(text::Trim(text));
    }

    [[noreturn]] void Unsettled() const {
        const auto f = OrderedDateFields(ambiguous_);
        throw PlanInputError(Where(name_, ambiguousLine_) + "'" + Printable(ambiguous_) +
                                 "' could be " + DayOfMonth(f->first, f->second) + " or " +
                                 DayOfMonth(f->second, f->first) +
                                 ", and no date in the file tells which",
                             PlanFault::Kind::DateOrderUnknown);
    }

private:
    static std::string DayOfMonth(int day, int month) {
        static const char* const kMonths[] = {"January", "February", "March",     "April",
                                              "May",     "June",     "July",      "August",
                                              "September", "October", "November", "December"};
        return std::to_string(day) + " " + kMonths[month - 1];
    }
    static const char* Word(DateOrder o) { return o == DateOrder::DayFirst ? "day" : "month"; }

    std::string name_;
    DateOrder order_;
    bool given_ = order_ != DateOrder::Unknown;
    int ambiguousLine_ = 0;
    std::string ambiguous_;
    int settledLine_ = 0;
    std::string settled_;
};

// Intervals given twice, which would be planned and counted twice: the
// same date and time anywhere in the file, or, without dates, the same
// time twice in a row. (An autumn day's repeated hour is refused too.)
class Repeats {
public:
    explicit Repeats(const std::string& name) : name_(name) {}

    void Check(const ForecastRow& row) {
        if (!row.minute) return;
        const auto minute = static_cast<std::size_t>(*row.minute);
        if (!row.day) {
            if (lastMinute_ == *row.minute) Twice(row, lastLine_);
            lastMinute_ = *row.minute;
            lastLine_ = row.line;
            return;
        }
        if (day_ != row.day) {
            day_ = row.day;
            lines_.clear();
        }
        Day& seen = days_[*row.day];
        if (seen.first == 0) seen.first = row.line;
        if (seen.minutes.test(minute)) {
            const auto at = lines_.find(*row.minute);
            Twice(row, at != lines_.end() ? at->second : seen.first);
        }
        seen.minutes.set(minute);
        lines_.emplace(*row.minute, row.line);
    }

private:
    struct Day {
        std::bitset<24 * 60> minutes;
        int first = 0;  // its first row's line
    };

    [[noreturn]] void Twice(const ForecastRow& row, int other) const {
        throw PlanInputError(Where(name_, row.line) + "'" + Printable(row.label) +
                             "' is given twice (also at line " + std::to_string(other) +
                             "): each interval must come once");
    }

    std::string name_;
    std::unordered_map<std::int32_t, Day> days_;
    std::optional<std::int32_t> day_;
    std::unordered_map<int, int> lines_;  // the current day's times and lines
    int lastMinute_ = -1;
    int lastLine_ = 0;
};

}  // namespace

Result<std::size_t, std::string> TextSource::Read(char* buffer, std::size_t size) {
    const std::size_t n = std::min({size, piece_, text_.size()});
    std::copy_n(text_.data(), n, buffer);
    text_.remove_prefix(n);
    return n;
}

class ForecastReader::Impl {
public:
    Impl(ByteSource& source, std::string name, ForecastDefaults defaults)
        : records_(source, name, "a forecast file", IsForecastHeader),
          name_(std::move(name)),
          defaults_(defaults),
          dates_(name_, defaults.dateOrder),
          repeats_(name_),
          steps_(name_) {}

    bool Next(ForecastRow& row) {
        if (!reader_) ReadHeader();
        CsvRecord r;
        if (!Take(r)) {
            if (rows_ == 0)
                throw PlanInputError(Where(name_, reader_->HeaderLine()) +
                                     "no interval rows below the header");
            reader_->CheckUnits();
            steps_.Finish();
            return false;
        }
        ++rows_;
        row.line = r.line;
        row.day.reset();
        row.minute.reset();
        reader_->CheckWidth(r);
        reader_->CheckTotal(r);
        if (!reader_->Label(r, row, dates_.Order())) row.label = std::to_string(rows_);
        repeats_.Check(row);
        steps_.Add(row);
        using Least = RowReader::Least;
        row.calls = reader_->Count(r, Column::Calls);
        const double calls = row.calls;
        if (reader_->Has(Column::Aht))  // talk and acw as one
            row.talk = reader_->Seconds(r, Column::Aht, Least::AboveZero, calls);
        else if (reader_->Has(Column::Talk))
            row.talk = reader_->Seconds(r, Column::Talk, Least::AboveZero, calls);
        else
            row.talk = static_cast<double>(*defaults_.talk);
        row.acw = reader_->Has(Column::Acw) ? reader_->Seconds(r, Column::Acw, Least::Zero, calls)
                  : reader_->Has(Column::Aht) ? 0.0
                                              : static_cast<double>(defaults_.acw);
        return true;
    }

    const std::vector<std::string>& Notices() const { return notices_; }
    bool Has(Column c) const { return reader_ && reader_->Has(c); }

private:
    // Title lines may stand above the header; past this many records the
    // first is taken for the header, and its faults are named.
    static constexpr std::size_t kTitleSearch = 20;
    // Rows held while their dates' order is unsettled: a day-first file
    // settles it on the 13th of a month, within a few thousand rows.
    static constexpr std::size_t kMostWaiting = 50000;

    void ReadHeader() {
        std::vector<CsvRecord> first;
        CsvRecord record;
        while (first.size() < kTitleSearch && NextRecord(record)) {
            first.push_back(std::move(record));
            if (IsForecastHeader(first.back().fields)) break;
        }
        if (first.empty()) throw PlanInputError(Where(name_, 1) + "the file is empty");
        std::size_t at = 0;
        if (IsForecastHeader(first.back().fields)) at = first.size() - 1;
        if (at > 0)
            notices_.push_back(Where(name_, first.front().line) + "line" + (at > 1 ? "s " : " ") +
                               std::to_string(first.front().line) +
                               (at > 1 ? "-" + std::to_string(first[at - 1].line) : "") +
                               " above the header (line " + std::to_string(first[at].line) +
                               ") " + (at > 1 ? "are" : "is a") + " title" + (at > 1 ? "s" : "") +
                               ", not planned");
        reader_.emplace(name_, first[at], records_.Marks(), records_.Delimiter(), notices_);
        if (!reader_->Has(Column::Talk) && !reader_->Has(Column::Aht) && !defaults_.talk)
            throw PlanInputError(Where(name_, reader_->HeaderLine()) +
                                     "no 'talk' column (or 'talk time', 'aht', 'handle time')",
                                 PlanFault::Kind::NoTalkTime);
        for (std::size_t i = at + 1; i < first.size(); ++i) waiting_.push_back(std::move(first[i]));
        if (waiting_.empty() && NextRecord(record)) waiting_.push_back(std::move(record));
        if (!waiting_.empty()) reader_->FindLabels(waiting_.front(), notices_);
        for (const CsvRecord& r : waiting_) See(r);
    }

    void See(const CsvRecord& r) {
        reader_->DateTexts(r, [&](const std::string& text) { dates_.See(text, r.line); });
    }

    // The next record, once the order of its dates is known: rows wait while
    // a date that could be read either way has been seen and nothing has
    // settled which.
    bool Take(CsvRecord& r) {
        for (;;) {
            if (!waiting_.empty() && !dates_.Waiting()) break;
            CsvRecord next;
            if (!NextRecord(next)) {
                if (dates_.Waiting()) dates_.Unsettled();
                break;
            }
            See(next);
            waiting_.push_back(std::move(next));
            if (dates_.Waiting() && waiting_.size() > kMostWaiting) dates_.Unsettled();
        }
        if (waiting_.empty()) return false;
        r = std::move(waiting_.front());
        waiting_.pop_front();
        return true;
    }

    bool NextRecord(CsvRecord& r) {
        const auto more = records_.Next(r);
        if (!more) throw PlanInputError(more.Error().message, more.Error().kind);
        return more.Value();
    }

    CsvRecordReader records_;
    std::string name_;
    ForecastDefaults defaults_;
    std::optional<RowReader> reader_;
    DateOrderJudge dates_;
    Repeats repeats_;
    MixedSteps steps_;
    std::deque<CsvRecord> waiting_;
    std::vector<std::string> notices_;
    long rows_ = 0;
};

ForecastReader::ForecastReader(ByteSource& source, std::string name, ForecastDefaults defaults)
    : impl_(std::make_unique<Impl>(source, std::move(name), defaults)) {}

ForecastReader::~ForecastReader() = default;

const std::vector<std::string>& ForecastReader::Notices() const { return impl_->Notices(); }

bool ForecastReader::Has(ForecastColumn column) const { return impl_->Has(column); }

Result<bool, PlanFault> ForecastReader::Next(ForecastRow& row) {
    if (fault_) return Fail(*fault_);
    try {
        return impl_->Next(row);
    } catch (const PlanInputError& e) {
        fault_ = e.Fault();
        return Fail(*fault_);
    }
}

Result<Forecast, PlanFault> ReadForecast(std::string_view content, const std::string& name,
                                         const ForecastDefaults& defaults) {
    TextSource source(content);
    ForecastReader reader(source, name, defaults);
    Forecast forecast;
    forecast.name = name;
    ForecastRow row;
    for (;;) {
        const auto more = reader.Next(row);
        if (!more) return Fail(more.Error());
        if (!more.Value()) return forecast;
        forecast.rows.push_back(std::move(row));
    }
}

}  // namespace corvane::input
