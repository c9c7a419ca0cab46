#pragma once

#include <string>

namespace corvane::bench {

inline constexpr int kYear = 365 * 48;

// A repeatable year of half-hours of 2027 as a forecast CSV: each day rises
// from 1 Erlang at night to a peak between 1 and 500 Erlangs; talk and acw
// vary a little.
std::string YearCsv();

}  // namespace corvane::bench
