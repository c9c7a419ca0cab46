#include "cli/option_checks.h"

#include <CLI/CLI.hpp>

#include "input/text_check.h"

namespace corvane::cli {

std::string Refusal(const std::string& text, const std::string& why) {
    return "'" + input::Printable(text) + "' " + why;
}

void AddChecked(CLI::App& app, const char* name, const char* type, const char* help, Check check) {
    app.add_option(std::string(name))
        ->description(help)
        ->type_name(type)
        ->check(CLI::Validator(
            [check = std::move(check)](std::string& text) { return check(text); }, ""));
}

Check DateOrderCheck(input::DateOrder& order) {
    return [&order](const std::string& text) -> std::string {
        if (text == "dmy")
            order = input::DateOrder::DayFirst;
        else if (text == "mdy")
            order = input::DateOrder::MonthFirst;
        else
            return Refusal(text, "must be dmy (day first) or mdy (month first)");
        return {};
    };
}

}  // namespace corvane::cli
