#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calc/result.h"
#include "input/byte_source.h"
#include "input/figure_text.h"
#include "input/plan_fault.h"

namespace corvane::input {

// Nothing a planner writes comes near these; past them the input is taken
// for something other than the file it should be.
inline constexpr std::size_t kMaxRecordBytes = 64 * 1024;

// The delimiters a file may use, in the order a tie between them is settled.
inline constexpr char kDelimiters[] = {',', ';', '\t', '|'};

// One record of a CSV file and the line it begins on.
struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

// Reads the records of a CSV file a piece at a time, in bounded memory.
// Separated by commas, semicolons, tabs or bars: the delimiter that makes a
// header of one of the first filled lines (as the caller's test tells), else
// the one the first filled line holds most of. RFC 4180 quoting; UTF-8 with
// an optional byte-order mark, or UTF-16 with one; CR LF, LF or CR line
// ends; blank records skipped. Bad
// bytes are a PlanFault naming `name` and the line. `what` names the kind
// of file in the message for an overlong row ("a forecast file").
class CsvRecordReader {
public:
    // Whether a line's fields are a header; lets the reader pick the
    // delimiter of a file with title lines above its header.
    using HeaderTest = std::function<bool(const std::vector<std::string>& fields)>;

    CsvRecordReader(ByteSource& source, std::string name, std::string what,
                    HeaderTest isHeader = {});
    ~CsvRecordReader();
    CsvRecordReader(const CsvRecordReader&) = delete;
    CsvRecordReader& operator=(const CsvRecordReader&) = delete;

    // The next record; false at the end. A fault met while reading ahead
    // waits until the records before it are handed out, so the first fault
    // in the file is the one reported, however the bytes arrive.
    Result<bool, PlanFault> Next(CsvRecord& record);

    // How figures are written: known once the first record is read.
    FigureMarks Marks() const;
    char Delimiter() const;

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

// "name:line: ", the start of every message about a place in a file.
std::string Where(const std::string& name, int line);

}  // namespace corvane::input
