#pragma once

#include <string>

namespace corvane::bench {

inline constexpr int kYear = 365 * 48;

// A repeatable year of half-hours of 2027 as a forecast CSV: each day rises
// from 1 Erlang at night to a peak between 1 and 500 Erlangs; talk and acw
// vary a little.
std::string YearCsv();

// The costliest Erlang A year: every half-hour 699 Erlangs of 1-second
// calls (1,258,200 calls), to be planned with a patience of 28,000 s.
std::string PatientYearCsv();

// A year of 2027 in quarter-hours as a history of calls (35,040 rows): a
// daily shape, weekdays busier than weekends, a slow rise over the year and
// Poisson-like noise; talk and acw vary a little.
std::string YearHistoryCsv();

}  // namespace corvane::bench
