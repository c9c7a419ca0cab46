#include "plan/forecast_csv.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "calc/plain_text.h"
#include "calc/utf8_text.h"
#include "plan/column_names.h"
#include "plan/csv_records.h"
#include "plan/figure_text.h"
#include "plan/input_error.h"
#include "plan/label_time.h"
#include "plan/text_check.h"

namespace corvane::plan {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

using Column = ForecastColumn;

class RowReader {
public:
    RowReader(const std::string& name, const CsvRecord& header, FigureMarks marks)
        : name_(name), marks_(marks), headerLine_(header.line), columns_(header.fields.size()) {
        index_.fill(-1);
        for (std::size_t i = 0; i < header.fields.size(); ++i) {
            const std::string_view field = text::Trim(header.fields[i]);
            // A file saved twice with a byte-order mark would otherwise hide
            // its first column behind an invisible character.
            if (field.substr(0, kBom.size()) == kBom)
                Refuse(header.line, "the column name '" + Printable(field.substr(kBom.size())) +
                                        "' begins with a second byte-order mark");
            const auto column = ColumnNamed(field);
            if (!column) continue;
            auto& at = index_[static_cast<std::size_t>(*column)];
            if (at >= 0)
                Refuse(header.line, "the columns '" + Printable(text::Trim(header.fields[at])) +
                                        "' and '" + Printable(field) + "' both give " +
                                        ColumnText(*column));
            at = static_cast<int>(i);
            names_[static_cast<std::size_t>(*column)] = Printable(field);
        }
        if (!Has(Column::Calls))
            Refuse(header.line, "no 'calls' column (or 'offered', 'volume', 'contacts')");
        for (const Column part : {Column::Talk, Column::Acw})
            if (Has(Column::Aht) && Has(part))
                Refuse(header.line, "both '" + Name(Column::Aht) + "' and '" + Name(part) +
                                        "': the handle time already holds talk and after-call "
                                        "work, so the file is ambiguous");
        if (Has(Column::DateTime) && (Has(Column::Date) || Has(Column::Interval)))
            Refuse(header.line, "both '" + Name(Column::DateTime) + "' and '" +
                                    Name(Has(Column::Date) ? Column::Date : Column::Interval) +
                                    "': the file is ambiguous about its intervals");
    }

    bool Has(Column c) const { return index_[static_cast<std::size_t>(c)] >= 0; }
    int HeaderLine() const { return headerLine_; }

    // A row with more filled fields than the header has columns has shifted
    // its figures (a thousands separator read as a delimiter, most often):
    // which of them is which cannot be known.
    void CheckWidth(const CsvRecord& r) const {
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

    // The label, with the date and time it carries; false when the file
    // has no label column. The label's field is taken from the record.
    bool Label(CsvRecord& r, ForecastRow& row) const {
        if (Has(Column::DateTime)) {
            const std::string& text = Text(r, Column::DateTime);
            const auto at = ParseDateTime(text);
            if (!at)
                Refuse(r, Column::DateTime, text,
                       "is not a date and time (YYYY-MM-DD HH:MM, DD.MM.YYYY HH:MM or "
                       "MM/DD/YYYY HH:MM)");
            Dated(row, at->day, at->minute);
            return true;
        }
        if (Has(Column::Date)) {
            const std::string& text = Text(r, Column::Date);
            const auto day = ParseDate(text);
            if (!day)
                Refuse(r, Column::Date, text,
                       "is not a date (YYYY-MM-DD, DD.MM.YYYY or MM/DD/YYYY)");
            std::optional<int> minute;
            if (Has(Column::Interval)) {
                const std::string& time = Text(r, Column::Interval);
                minute = ParseTimeOfDay(time);
                if (!minute) Refuse(r, Column::Interval, time, "is not a time of day (HH:MM)");
            }
            Dated(row, *day, minute);
            return true;
        }
        if (!Has(Column::Interval)) return false;
        row.label = std::move(Field(r, Column::Interval));
        if (utf8::Length(row.label) > kMaxLabelChars)
            Refuse(r, Column::Interval, row.label,
                   "is longer than " + std::to_string(kMaxLabelChars) + " characters");
        // A total row is no interval: planned, it would be counted twice.
        const std::string word = text::Lower(text::Trim(row.label));
        if (word == "total" || word == "grand total" || word == "sum" || word == "totals")
            Refuse(r.line, "'" + Printable(row.label) +
                               "' is a total row, not an interval: remove it (corvane-plan adds "
                               "up the totals)");
        if (word.empty())
            Refuse(r.line, Name(Column::Interval) +
                               ": the label is empty, as on a total row: remove the row, or give "
                               "it its interval");
        // Plans, charts and terminals show labels as they stand.
        if (const auto control = FirstControl(row.label))
            Refuse(r, Column::Interval, row.label,
                   "holds a control character (" + CodePointText(*control) +
                       "): a label must be plain text");
        if (const auto at = ParseDateTime(row.label)) {
            row.day = at->day;
            row.minute = at->minute;
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
    double Seconds(const CsvRecord& r, Column c, Least least, double calls) const {
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
        return value.Value();
    }

private:
    static void Dated(ForecastRow& row, std::int32_t day, std::optional<int> minute) {
        row.day = day;
        row.minute = minute;
        row.label = DateText(day);
        if (minute) row.label += " " + TimeText(*minute);
    }

    const std::string& Text(const CsvRecord& r, Column c) const { return r.fields[Index(r, c)]; }
    std::string& Field(CsvRecord& r, Column c) const { return r.fields[Index(r, c)]; }
    std::size_t Index(const CsvRecord& r, Column c) const {
        const auto i = static_cast<std::size_t>(index_[static_cast<std::size_t>(c)]);
        if (i >= r.fields.size())
            throw PlanInputError(Where(name_, r.line) + Name(c) + ": missing value");
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
    std::array<int, kForecastColumns> index_{};
    std::array<std::string, kForecastColumns> names_;  // as the header writes them
    int headerLine_ = 0;
    std::size_t columns_ = 0;
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
        : records_(source, name, "a forecast file"),
          name_(std::move(name)),
          defaults_(defaults),
          repeats_(name_) {}

    bool Next(ForecastRow& row) {
        if (!reader_) ReadHeader();
        CsvRecord r;
        if (!NextRecord(r)) {
            if (rows_ == 0) throw PlanInputError(name_ + ": no interval rows below the header");
            return false;
        }
        ++rows_;
        row.line = r.line;
        row.day.reset();
        row.minute.reset();
        reader_->CheckWidth(r);
        if (!reader_->Label(r, row)) row.label = std::to_string(rows_);
        repeats_.Check(row);
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

private:
    void ReadHeader() {
        CsvRecord header;
        if (!NextRecord(header)) throw PlanInputError(name_ + ": the file is empty");
        reader_.emplace(name_, header, records_.Marks());
        if (!reader_->Has(Column::Talk) && !reader_->Has(Column::Aht) && !defaults_.talk)
            throw PlanInputError(Where(name_, reader_->HeaderLine()) +
                                     "no 'talk' column (or 'talktime', 'aht', 'handletime')",
                                 PlanFault::Kind::NoTalkTime);
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
    Repeats repeats_;
    long rows_ = 0;
};

ForecastReader::ForecastReader(ByteSource& source, std::string name, ForecastDefaults defaults)
    : impl_(std::make_unique<Impl>(source, std::move(name), defaults)) {}

ForecastReader::~ForecastReader() = default;

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

}  // namespace corvane::plan
