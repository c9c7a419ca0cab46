#pragma once

#include <fstream>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

// Test cases kept as data: tests/data/<name>.json, a case to a line.
namespace corvane::testing {

inline nlohmann::json Vectors(const std::string& name) {
    std::ifstream in(std::string(CORVANE_TEST_DATA) + "/" + name + ".json");
    nlohmann::json cases = nlohmann::json::parse(in);  // throws when missing or malformed
    if (cases.empty()) throw std::runtime_error("no cases in " + name);
    return cases;
}

}  // namespace corvane::testing
