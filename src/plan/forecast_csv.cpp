#include "plan/forecast_csv.h"

#include <csv.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "plan/decimal.h"
#include "plan/text_check.h"

namespace corvane::plan {

namespace {

struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

// Collects libcsv's callbacks into records, each with the line it began on.
struct Collector {
    std::vector<CsvRecord> records;
    CsvRecord current;
    int line = 0;        // the physical line being fed
    int lastRowEnd = 0;  // the line the last complete record ended on

    static void Field(void* data, std::size_t len, void* self) {
        auto* c = static_cast<Collector*>(self);
        if (c->current.fields.empty()) c->current.line = c->line;
        c->current.fields.emplace_back(data ? static_cast<const char*>(data) : "", data ? len : 0);
    }
    static void RowEnd(int, void* self) {
        auto* c = static_cast<Collector*>(self);
        const bool blank = std::all_of(c->current.fields.begin(), c->current.fields.end(),
                                       [](const std::string& f) { return f.empty(); });
        if (!blank) c->records.push_back(std::move(c->current));
        c->lastRowEnd = c->line;
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

private:
    csv_parser parser_{};
};

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& ch : out) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return out;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The delimiter the header line asks for.
unsigned char Delimiter(std::string_view content) {
    std::size_t start = 0;
    for (;;) {  // the first line with anything on it
        const std::size_t end = content.find('\n', start);
        const std::string_view line = content.substr(start, end - start);
        if (!Trim(line).empty() && Trim(line) != "\r") {
            const bool semicolons = line.find(';') != std::string_view::npos;
            return semicolons && line.find(',') == std::string_view::npos ? ';' : ',';
        }
        if (end == std::string_view::npos) return ',';
        start = end + 1;
    }
}

// Where the record that never ended began: the first line with anything
// on it after `line`.
int FirstFilledLineAfter(std::string_view content, int line) {
    int current = 1;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos) end = content.size();
        if (current > line && !Trim(content.substr(start, end - start)).empty()) return current;
        ++current;
        start = end + 1;
    }
    return current;
}

std::vector<CsvRecord> ParseRecords(std::string_view content, const std::string& name) {
    Collector collector;
    CsvParser parser(Delimiter(content));
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        end = end == std::string_view::npos ? content.size() : end + 1;
        ++collector.line;
        if (!parser.Feed(content.substr(start, end - start), collector))
            throw PlanInputError(name + ":" + std::to_string(collector.line) +
                                 ": a quote out of place (a field with quotes must be "
                                 "wholly quoted, its inner quotes doubled)");
        start = end;
    }
    if (!parser.Finish(collector))
        throw PlanInputError(name + ":" +
                             std::to_string(FirstFilledLineAfter(content, collector.lastRowEnd)) +
                             ": a quoted field is never closed");
    return std::move(collector.records);
}

enum Column { kInterval, kCalls, kTalk, kAcw, kColumns };
constexpr std::array<const char*, kColumns> kColumnNames = {"interval", "calls", "talk", "acw"};

std::string Where(const std::string& name, int line) {
    return name + ":" + std::to_string(line) + ": ";
}

class RowReader {
public:
    RowReader(const std::string& name, const CsvRecord& header) : name_(name) {
        index_.fill(-1);
        for (std::size_t i = 0; i < header.fields.size(); ++i) {
            const std::string key = Lower(Trim(header.fields[i]));
            for (int c = 0; c < kColumns; ++c) {
                if (key != kColumnNames[c]) continue;
                if (index_[c] >= 0)
                    throw PlanInputError(Where(name, header.line) + "the column '" + key +
                                         "' appears twice");
                index_[c] = static_cast<int>(i);
            }
        }
        if (index_[kCalls] < 0)
            throw PlanInputError(Where(name, header.line) + "no 'calls' column");
        headerLine_ = header.line;
    }

    bool Has(Column c) const { return index_[c] >= 0; }
    int HeaderLine() const { return headerLine_; }

    std::string Text(const CsvRecord& r, Column c) const {
        const auto i = static_cast<std::size_t>(index_[c]);
        if (i >= r.fields.size())
            throw PlanInputError(Where(name_, r.line) + kColumnNames[c] + ": missing value");
        return r.fields[i];
    }

    std::int64_t Whole(const CsvRecord& r, Column c, std::int64_t min) const {
        const std::string text = Text(r, c);
        const auto value = ParseWhole(text);
        const std::string prefix =
            Where(name_, r.line) + kColumnNames[c] + ": '" + Printable(text) + "' ";
        if (!value) throw PlanInputError(prefix + "is not a whole number");
        if (*value < min)
            throw PlanInputError(prefix + "must be " + std::to_string(min) + " or more");
        return *value;
    }

private:
    std::string name_;
    std::array<int, kColumns> index_{};
    int headerLine_ = 0;
};

}  // namespace

Forecast ReadForecast(std::string_view content, const std::string& name,
                      const ForecastDefaults& defaults) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (content.substr(0, kBom.size()) == kBom) content.remove_prefix(kBom.size());
    if (const std::size_t bad = FirstNonTextLine(content))
        throw PlanInputError(Where(name, static_cast<int>(bad)) +
                             "not a text file (a NUL byte or bytes that are not UTF-8)");

    const std::vector<CsvRecord> records = ParseRecords(content, name);
    if (records.empty()) throw PlanInputError(name + ": the file is empty");
    const RowReader reader(name, records.front());
    if (!reader.Has(kTalk) && !defaults.talk)
        throw PlanInputError(Where(name, reader.HeaderLine()) +
                             "no 'talk' column (give the talk time with --talk)");
    if (records.size() == 1) throw PlanInputError(name + ": no interval rows below the header");

    Forecast forecast;
    forecast.name = name;
    forecast.rows.reserve(records.size() - 1);
    for (std::size_t i = 1; i < records.size(); ++i) {
        const CsvRecord& r = records[i];
        ForecastRow row;
        row.line = r.line;
        row.label = reader.Has(kInterval) ? reader.Text(r, kInterval) : std::to_string(i);
        row.calls = reader.Whole(r, kCalls, 0);
        row.talk = reader.Has(kTalk) ? reader.Whole(r, kTalk, 1) : *defaults.talk;
        row.acw = reader.Has(kAcw) ? reader.Whole(r, kAcw, 0) : defaults.acw;
        forecast.rows.push_back(std::move(row));
    }
    return forecast;
}

}  // namespace corvane::plan
