#pragma once

namespace corvane::model {

// The trunk groups the window offers, each a row of fields.
inline constexpr int kTrunkGroups = 5;

// The main window's caption, which also heads every copied and printed
// report.
inline constexpr const char* kReportHeading = "Corvane by Halvorsk";

}  // namespace corvane::model
