#include "plan/csv_records.h"

#include <csv.h>

#include <algorithm>
#include <deque>
#include <exception>

#include "calc/plain_text.h"
#include "plan/input_error.h"
#include "plan/text_check.h"

namespace corvane::plan {

namespace {

// Small enough that the records of a piece, held until they are read,
// stay in memory the process already has.
constexpr std::size_t kChunkBytes = 16 * 1024;
constexpr std::string_view kBom = "\xEF\xBB\xBF";

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

}  // namespace

std::string Where(const std::string& name, int line) {
    return name + ":" + std::to_string(line) + ": ";
}

class CsvRecordReader::Impl {
public:
    Impl(ByteSource& source, std::string name, std::string what)
        : source_(source), name_(std::move(name)), what_(std::move(what)), chunk_(kChunkBytes) {}

    bool Next(CsvRecord& record) {
        if (!NextRecord()) return false;
        record = std::move(collector_.ready.front());
        collector_.ready.pop_front();
        return true;
    }

    FigureMarks Marks() const { return marks_; }

private:
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

    std::string TooLong() const {
        return "a row longer than " + std::to_string(kMaxRecordBytes / 1024) + " KiB (is this " +
               what_ + "?)";
    }

    ByteSource& source_;
    std::string name_;
    std::string what_;
    std::vector<char> chunk_;
    std::string carry_;  // bytes not yet fed: a cut UTF-8 sequence, or all before the first line
    bool bomChecked_ = false;
    bool pendingCr_ = false;
    bool finished_ = false;
    std::exception_ptr fault_;
    std::optional<CsvParser> parser_;
    FigureMarks marks_;
    Collector collector_;
    std::size_t recordBytes_ = 0;
    int recordLine_ = 1;
};

CsvRecordReader::CsvRecordReader(ByteSource& source, std::string name, std::string what)
    : impl_(std::make_unique<Impl>(source, std::move(name), std::move(what))) {}

CsvRecordReader::~CsvRecordReader() = default;

Result<bool, PlanFault> CsvRecordReader::Next(CsvRecord& record) {
    try {
        return impl_->Next(record);
    } catch (const PlanInputError& e) {
        return Fail(e.Fault());
    }
}

FigureMarks CsvRecordReader::Marks() const { return impl_->Marks(); }

}  // namespace corvane::plan
