#include "input/csv_records.h"

#include <csv.h>

#include <algorithm>
#include <deque>
#include <exception>

#include "calc/plain_text.h"
#include "input/input_error.h"
#include "input/text_check.h"
#include "input/utf16_text.h"

namespace corvane::input {

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

// The fields of one physical line split at `delimiter`, quotes respected.
std::vector<std::string> SplitLine(std::string_view line, char delimiter) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (c == delimiter && !quoted) {
            fields.emplace_back();
        } else if (!IsLineEnd(c)) {
            fields.back() += c;
        }
    }
    return fields;
}

std::size_t CountOutsideQuotes(std::string_view line, char delimiter) {
    std::size_t n = 0;
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') quoted = !quoted;
        n += c == delimiter && !quoted;
    }
    return n;
}

// Title lines may stand above a header; this many filled lines are looked
// at for it, within this many bytes.
constexpr int kHeaderSearchLines = 20;
constexpr std::size_t kHeaderSearchBytes = 4 * kMaxRecordBytes;

// The delimiter of a file, once the text shows it: the one that makes the
// first header line (as `isHeader` tells) a header, looked for in the first
// filled lines; without a header there, the one the first filled line holds
// most of. Decided on whole lines only, so however the bytes arrive the
// choice is the same.
std::optional<char> ChooseDelimiter(std::string_view text, bool ended,
                                    const CsvRecordReader::HeaderTest& isHeader) {
    std::optional<std::string_view> first;
    int filled = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t found = text.find_first_of("\r\n", start);
        if (found == std::string_view::npos && !ended) {
            if (text.size() <= kHeaderSearchBytes) return std::nullopt;  // wait for more
            break;
        }
        const std::size_t end = std::min(found, text.size());
        if (end > kHeaderSearchBytes) break;
        const std::string_view line = text.substr(start, end - start);
        if (!Blank(line)) {
            if (!first) first = line;
            if (isHeader) {
                std::optional<char> best;
                std::size_t widest = 0;
                for (const char d : kDelimiters) {
                    const auto fields = SplitLine(line, d);
                    if (fields.size() > widest && isHeader(fields)) {
                        best = d;
                        widest = fields.size();
                    }
                }
                if (best) return best;
            }
            if (++filled == kHeaderSearchLines) break;
        }
        if (end >= text.size()) break;
        start = end + 1;
    }
    char most = ',';
    std::size_t count = 0;
    for (const char d : kDelimiters)
        if (const std::size_t n = first ? CountOutsideQuotes(*first, d) : 0; n > count) {
            most = d;
            count = n;
        }
    return most;
}

}  // namespace

std::string Where(const std::string& name, int line) {
    return name + ":" + std::to_string(line) + ": ";
}

class CsvRecordReader::Impl {
public:
    Impl(ByteSource& source, std::string name, std::string what, HeaderTest isHeader)
        : source_(source),
          name_(std::move(name)),
          what_(std::move(what)),
          isHeader_(std::move(isHeader)),
          chunk_(kChunkBytes) {}

    bool Next(CsvRecord& record) {
        if (!NextRecord()) return false;
        record = std::move(collector_.ready.front());
        collector_.ready.pop_front();
        return true;
    }

    FigureMarks Marks() const { return marks_; }
    char Delimiter() const { return delimiter_; }

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
        std::string_view raw(chunk_.data(), n);
        if (!encodingChecked_) {
            head_.append(raw);
            if (head_.size() < kBom.size() && !ended) return;
            encodingChecked_ = true;
            raw = head_;
            if (raw.substr(0, 2) == "\xFF\xFE" || raw.substr(0, 2) == "\xFE\xFF") {
                utf16_.emplace(raw[0] == '\xFE');
                raw.remove_prefix(2);
            } else if (raw.substr(0, kBom.size()) == kBom) {
                raw.remove_prefix(kBom.size());
            } else if (raw.size() >= 2 && raw[0] != '\0' && raw[1] == '\0') {
                throw PlanInputError(Where(name_, 1) +
                                     "the file looks like UTF-16 text without a byte-order mark: "
                                     "save it as UTF-8 (or as Unicode text with its mark)");
            }
        }
        if (utf16_) {
            if (!utf16_->Decode(raw, carry_) || (ended && !utf16_->Whole()))
                throw PlanInputError(Where(name_, collector_.line) +
                                     "not valid UTF-16 text (a character cut in half)");
        } else {
            carry_.append(raw);
        }
        head_.clear();
        std::string_view bytes = carry_;
        const Utf8Scan scan = ScanUtf8(bytes);
        const bool bad = scan.valid < bytes.size() && (!scan.cutShort || ended);
        const std::string_view text = bytes.substr(0, scan.valid);
        if (!parser_) {
            // The delimiter comes from the first lines, so bytes wait here
            // until it shows.
            const auto delimiter = ChooseDelimiter(text, ended || bad, isHeader_);
            if (!delimiter) {
                carry_ = std::string(bytes);
                return;
            }
            delimiter_ = *delimiter;
            parser_.emplace(static_cast<unsigned char>(delimiter_));
            // Comma files write decimals with '.', semicolon files with ',';
            // a tab or bar file may use either.
            marks_.decimal = delimiter_ == ',' ? '.' : delimiter_ == ';' ? ',' : '\0';
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
    HeaderTest isHeader_;
    std::vector<char> chunk_;
    std::string head_;  // the first bytes, until they show the encoding
    bool encodingChecked_ = false;
    std::optional<Utf16Decoder> utf16_;
    char delimiter_ = ',';
    std::string carry_;  // bytes not yet fed: a cut UTF-8 sequence, or all before the first line
    bool pendingCr_ = false;
    bool finished_ = false;
    std::exception_ptr fault_;
    std::optional<CsvParser> parser_;
    FigureMarks marks_;
    Collector collector_;
    std::size_t recordBytes_ = 0;
    int recordLine_ = 1;
};

CsvRecordReader::CsvRecordReader(ByteSource& source, std::string name, std::string what,
                                 HeaderTest isHeader)
    : impl_(std::make_unique<Impl>(source, std::move(name), std::move(what),
                                   std::move(isHeader))) {}

CsvRecordReader::~CsvRecordReader() = default;

Result<bool, PlanFault> CsvRecordReader::Next(CsvRecord& record) {
    try {
        return impl_->Next(record);
    } catch (const PlanInputError& e) {
        return Fail(e.Fault());
    }
}

FigureMarks CsvRecordReader::Marks() const { return impl_->Marks(); }

char CsvRecordReader::Delimiter() const { return impl_->Delimiter(); }

}  // namespace corvane::input
