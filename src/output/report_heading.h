#pragma once

namespace corvane::output {

// The heading of every copied and printed report.
inline constexpr const char* kReportHeading = "Corvane by Halvorsk";

}  // namespace corvane::output
