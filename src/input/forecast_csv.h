#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input/byte_source.h"
#include "input/column_names.h"
#include "calc/result.h"
#include "input/forecast.h"
#include "input/label_time.h"
#include "input/plan_fault.h"

namespace corvane::input {

// Values for files without a talk or an acw column, and the order of a
// file's dates where the file itself cannot tell.
struct ForecastDefaults {
    std::optional<long> talk;
    long acw = 0;
    DateOrder dateOrder = DateOrder::Unknown;
};

// Nothing the planner writes comes near this; past it the input is taken
// for something other than a forecast.
inline constexpr std::size_t kMaxLabelChars = 64;

// Reads a forecast CSV a row at a time: a header row (below up to 19 title
// lines), then one row per interval. Columns are found by name, as
// column_names.h says, in any order; others are ignored. Where no column is
// named for the interval, the first whose cells are times of day (or dates
// and times) is taken. Dates whose day and month could be either way round
// are read in the order the file settles (a field above 12 is the day),
// else in the order given, else refused. Total rows, repeated intervals and
// handle times that may be minutes are refused. The records are read as
// csv_records.h says. Bad input is a PlanFault naming `name` and the line.
class ForecastReader {
public:
    ForecastReader(ByteSource& source, std::string name, ForecastDefaults defaults);
    ~ForecastReader();
    ForecastReader(const ForecastReader&) = delete;
    ForecastReader& operator=(const ForecastReader&) = delete;

    // The next interval row; false once the file has no more. The first
    // call reads the header and refuses a file without rows. After a fault
    // every call gives the same fault.
    Result<bool, PlanFault> Next(ForecastRow& row);

    // What the reader decided that a planner should know: title lines
    // skipped, the column planned where a file has a forecast and an actual
    // one, a label column found by its cells. Each names the file and line.
    const std::vector<std::string>& Notices() const;

    // Whether the file has the column, once its header is read.
    bool Has(ForecastColumn column) const;

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
    std::optional<PlanFault> fault_;
};

// The whole forecast in memory, for callers with a small text.
Result<Forecast, PlanFault> ReadForecast(std::string_view content, const std::string& name,
                                         const ForecastDefaults& defaults);

}  // namespace corvane::input
