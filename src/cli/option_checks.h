#pragma once

#include <functional>
#include <string>

#include "input/label_time.h"

namespace CLI {
class App;
}

namespace corvane::cli {

// A check reads an option's text into its place and says why it refuses
// one, or nothing.
using Check = std::function<std::string(const std::string& text)>;

// "'value' why", the value made printable.
std::string Refusal(const std::string& text, const std::string& why);

// Declares an option read by `check`; its text itself is not kept. CLI11
// reports a refusal as "--option: 'value' why".
void AddChecked(CLI::App& app, const char* name, const char* type, const char* help, Check check);

// --date-order: dmy or mdy into `order`.
Check DateOrderCheck(input::DateOrder& order);

}  // namespace corvane::cli
