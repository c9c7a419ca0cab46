#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "plan/byte_source.h"
#include "calc/result.h"
#include "plan/forecast.h"
#include "plan/plan_fault.h"

namespace corvane::plan {

// Values for files without a talk or an acw column.
struct ForecastDefaults {
    std::optional<long> talk;
    long acw = 0;
};

// Nothing the planner writes comes near this; past it the input is taken
// for something other than a forecast.
inline constexpr std::size_t kMaxLabelChars = 64;

// Reads a forecast CSV a row at a time: a header row, then one row per
// interval. Columns are found by name (interval, calls, talk, acw),
// case-insensitively, in any order; others are ignored. The records are
// read as csv_records.h says. Bad input is a PlanFault naming `name`.
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

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
    std::optional<PlanFault> fault_;
};

// The whole forecast in memory, for callers with a small text.
Result<Forecast, PlanFault> ReadForecast(std::string_view content, const std::string& name,
                                         const ForecastDefaults& defaults);

}  // namespace corvane::plan
