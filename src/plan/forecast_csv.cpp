#include "plan/forecast_csv.h"

#include <csv.h>

#include <algorithm>
#include <array>
#include <deque>
#include <exception>
#include <vector>

#include "calc/plain_text.h"
#include "calc/utf8_text.h"
#include "plan/column_names.h"
#include "plan/figure_text.h"
#include "plan/input_error.h"
#include "plan/label_time.h"
#include "plan/text_check.h"

namespace corvane::plan {

namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;
constexpr std::string_view kBom = "\xEF\xBB\xBF";

struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

// Collects libcsv's callbacks into records, each with the line it began on.
struct Collector {
    std::deque<CsvRecord> ready;
    CsvRecord current;
    int line = 1;           // the physical line being fed
    std::size_t width = 0;  // the most fields a record has had

    static void Field(void* data, std::size_t len, void* self) {
        auto* c = static_cast<Collector*>(self);
        if (c->current.fields.empty()) {
            c->current.line = c->line;
            c->current.fields.reserve(c->width);  // one allocation a record
        }
        c->current.fields.emplace_back(data ? static_cast<const char*>(data) : "", data ? len : 0);
    }
    static void RowEnd(int, void* self) {
        auto* c = static_cast<Collector*>(self);
        const bool blank = std::all_of(c->current.fields.begin(), c->current.fields.end(),
                                       [](const std::string& f) { return f.empty(); });
        if (!blank) {
            c->width = std::max(c->width, c->current.fields.size());
            c->ready.push_back(std::move(c->current));
        }
        c->current = CsvRecord{};
    }
};

class CsvParser {
public:
    explicit CsvParser(unsigned char delimiter) {
        csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI);
        csv_set_delim(&parser_, delimiter);
    }
    ~CsvParser() { csv_free(&parser_); }
    CsvParser(const CsvParser&) = delete;
    CsvParser& operator=(const CsvParser&) = delete;

    bool Feed(std::string_view chunk, Collector& c) {
        return csv_parse(&parser_, chunk.data(), chunk.size(), Collector::Field, Collector::RowEnd,
                         &c) == chunk.size();
    }
    bool Finish(Collector& c) {
        return csv_fini(&parser_, Collector::Field, Collector::RowEnd, &c) == 0;
    }
    // Between records: nothing of a row has been fed since the last one
    // ended (libcsv's ROW_NOT_BEGUN state).
    bool BetweenRecords() const { return parser_.pstate == 0; }

private:
    csv_parser parser_{};
};

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

bool Blank(std::string_view line) {
    while (!line.empty() && IsLineEnd(line.back())) line.remove_suffix(1);
    return text::Trim(line).empty();
}

// The first line with anything on it, once it is complete (or the text
// has ended): it decides the delimiter.
std::optional<std::string_view> FirstFilledLine(std::string_view text, bool ended) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        const std::string_view line = text.substr(start, end - start);
        if (!Blank(line)) {
            if (end == text.size() && !ended) return std::nullopt;
            return line;
        }
        start = end + 1;
    }
    return ended ? std::optional<std::string_view>("") : std::nullopt;
}

std::string Where(const std::string& name, int line) {
    return name + ":" + std::to_string(line) + ": ";
}

using Column = ForecastColumn;

class RowReader {
public:
    RowReader(const std::string& name, const CsvRecord& header, FigureMarks marks)
        : name_(name), marks_(marks), headerLine_(header.line) {
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

    // The label, with the date and time it carries.
    void Label(const CsvRecord& r, ForecastRow& row) const {
        if (Has(Column::DateTime)) {
            const std::string& text = Text(r, Column::DateTime);
            const auto at = ParseDateTime(text);
            if (!at)
                Refuse(r, Column::DateTime, text,
                       "is not a date and time (YYYY-MM-DD HH:MM, DD.MM.YYYY HH:MM or "
                       "MM/DD/YYYY HH:MM)");
            Dated(row, at->day, at->minute);
            return;
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
            return;
        }
        if (!Has(Column::Interval)) return;
        row.label = Text(r, Column::Interval);
        if (utf8::Length(row.label) > kMaxLabelChars)
            Refuse(r, Column::Interval, row.label,
                   "is longer than " + std::to_string(kMaxLabelChars) + " characters");
        if (const auto at = ParseDateTime(row.label)) {
            row.day = at->day;
            row.minute = at->minute;
        } else {
            row.minute = ParseTimeOfDay(row.label);
        }
    }

    // A count of calls, 0 or more.
    double Count(const CsvRecord& r, Column c) const {
        const std::string& text = Text(r, c);
        const auto value = ParseFigure(text, marks_);
        if (!value) Refuse(r, c, text, value.Error());
        return value.Value();
    }

    // A time in seconds; talk and handle times must be more than 0.
    enum class Least { Zero, AboveZero };
    double Seconds(const CsvRecord& r, Column c, Least least) const {
        const std::string& text = Text(r, c);
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

    const std::string& Text(const CsvRecord& r, Column c) const {
        const auto i = static_cast<std::size_t>(index_[static_cast<std::size_t>(c)]);
        if (i >= r.fields.size())
            throw PlanInputError(Where(name_, r.line) + Name(c) + ": missing value");
        return r.fields[i];
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
        : source_(source), name_(std::move(name)), defaults_(defaults), chunk_(kChunkBytes) {}

    bool Next(ForecastRow& row) {
        if (!reader_) ReadHeader();
        if (!NextRecord()) {
            if (rows_ == 0) throw PlanInputError(name_ + ": no interval rows below the header");
            return false;
        }
        const CsvRecord r = std::move(collector_.ready.front());
        collector_.ready.pop_front();
        ++rows_;
        row = ForecastRow{};
        row.line = r.line;
        row.label = std::to_string(rows_);
        reader_->Label(r, row);
        using Least = RowReader::Least;
        row.calls = reader_->Count(r, Column::Calls);
        if (reader_->Has(Column::Aht))
            row.talk = reader_->Seconds(r, Column::Aht, Least::AboveZero);  // talk and acw as one
        else if (reader_->Has(Column::Talk))
            row.talk = reader_->Seconds(r, Column::Talk, Least::AboveZero);
        else
            row.talk = static_cast<double>(*defaults_.talk);
        row.acw = reader_->Has(Column::Acw)   ? reader_->Seconds(r, Column::Acw, Least::Zero)
                  : reader_->Has(Column::Aht) ? 0.0
                                              : static_cast<double>(defaults_.acw);
        return true;
    }

private:
    void ReadHeader() {
        if (!NextRecord()) throw PlanInputError(name_ + ": the file is empty");
        reader_.emplace(name_, collector_.ready.front(), marks_);
        collector_.ready.pop_front();
        if (!reader_->Has(Column::Talk) && !reader_->Has(Column::Aht) && !defaults_.talk)
            throw PlanInputError(Where(name_, reader_->HeaderLine()) +
                                     "no 'talk' column (or 'talktime', 'aht', 'handletime')",
                                 PlanFault::Kind::NoTalkTime);
    }

    // Reads until a record is complete; false at the end of the input. A
    // fault met while reading ahead waits until the records before it are
    // handed out, so the first fault in the file is the one reported, however
    // the bytes arrive.
    bool NextRecord() {
        while (collector_.ready.empty() && !finished_) {
            try {
                ReadMore();
            } catch (const PlanInputError&) {
                fault_ = std::current_exception();
                finished_ = true;
            }
        }
        if (collector_.ready.empty() && fault_) std::rethrow_exception(fault_);
        return !collector_.ready.empty();
    }

    void ReadMore() {
        const auto read = source_.Read(chunk_.data(), chunk_.size());
        if (!read) throw PlanInputError(read.Error());
        const std::size_t n = read.Value();
        const bool ended = n == 0;
        carry_.append(chunk_.data(), n);
        std::string_view bytes = carry_;
        if (!bomChecked_) {
            if (bytes.size() < kBom.size() && !ended) return;
            if (bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());
            bomChecked_ = true;
        }
        const Utf8Scan scan = ScanUtf8(bytes);
        const bool bad = scan.valid < bytes.size() && (!scan.cutShort || ended);
        const std::string_view text = bytes.substr(0, scan.valid);
        if (!parser_) {
            // The delimiter comes from the first filled line, so bytes wait
            // here until it is whole.
            const auto first = FirstFilledLine(text, ended || bad);
            if (!first) {
                if (text.size() > kMaxRecordBytes)
                    throw PlanInputError(Where(name_, 1) + TooLong());
                carry_ = std::string(bytes);
                return;
            }
            const bool semicolons = first->find(';') != std::string_view::npos &&
                                    first->find(',') == std::string_view::npos;
            parser_.emplace(semicolons ? ';' : ',');
            marks_.decimal = semicolons ? ',' : '.';
        }
        Split(text);
        if (bad)
            throw PlanInputError(Where(name_, collector_.line) +
                                 "not a text file (a NUL byte or bytes that are not UTF-8)");
        carry_ = std::string(bytes.substr(scan.valid));  // a sequence cut by the chunk's end
        if (ended) Finish();
    }

    // Feeds the parser a line at a time, so every record knows its line.
    void Split(std::string_view text) {
        std::size_t pos = 0;
        if (pendingCr_ && !text.empty()) {
            pendingCr_ = false;
            if (text[0] == '\n') {  // the second half of a CR LF cut by the chunk's end
                Feed(text.substr(0, 1));
                pos = 1;
            }
        }
        while (pos < text.size()) {
            std::size_t end = text.find_first_of("\r\n", pos);
            if (end == std::string_view::npos) {
                Feed(text.substr(pos));  // the line goes on in the next chunk
                return;
            }
            if (text[end] == '\r') {
                if (end + 1 == text.size()) pendingCr_ = true;
                if (end + 1 < text.size() && text[end + 1] == '\n') ++end;
            }
            Feed(text.substr(pos, end + 1 - pos));
            ++collector_.line;
            pos = end + 1;
        }
    }

    void Feed(std::string_view piece) {
        if (parser_->BetweenRecords()) {
            recordBytes_ = 0;
            if (!Blank(piece)) recordLine_ = collector_.line;
        }
        // Refused before it is fed, so an overlong row never becomes a record.
        recordBytes_ += piece.size();
        if (recordBytes_ > kMaxRecordBytes)
            throw PlanInputError(Where(name_, recordLine_) + TooLong());
        if (!parser_->Feed(piece, collector_))
            throw PlanInputError(Where(name_, collector_.line) +
                                 "a quote out of place (a field with quotes must be "
                                 "wholly quoted, its inner quotes doubled)");
    }

    void Finish() {
        finished_ = true;
        if (!parser_) return;
        if (!parser_->Finish(collector_))
            throw PlanInputError(Where(name_, recordLine_) + "a quoted field is never closed");
    }

    static std::string TooLong() {
        return "a row longer than " + std::to_string(kMaxRecordBytes / 1024) +
               " KiB (is this a forecast file?)";
    }

    ByteSource& source_;
    std::string name_;
    ForecastDefaults defaults_;
    std::vector<char> chunk_;
    std::string carry_;  // bytes not yet fed: a cut UTF-8 sequence, or all before the header
    bool bomChecked_ = false;
    bool pendingCr_ = false;
    bool finished_ = false;
    std::exception_ptr fault_;
    std::optional<CsvParser> parser_;
    FigureMarks marks_;
    Collector collector_;
    std::size_t recordBytes_ = 0;
    int recordLine_ = 1;
    std::optional<RowReader> reader_;
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
