#pragma once

namespace corvane::cli {

// What --help prints below the options: the input file, what is computed,
// the outputs and the exit statuses.
extern const char* const kPlanHelpFooter;

}  // namespace corvane::cli
