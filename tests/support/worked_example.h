#pragma once

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

// The worked example (talk 180, acw 30, calls 100, slo 20) as the window's
// tables show it, line for line: examples/worked-example-agents.txt and
// examples/worked-example-delays.txt.
namespace corvane::testing {

inline std::vector<std::string> WorkedExample(const std::string& table) {
    std::ifstream in(std::string(CORVANE_EXAMPLES) + "/worked-example-" + table + ".txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    if (lines.empty()) throw std::runtime_error("no worked-example table " + table);
    return lines;
}

}  // namespace corvane::testing
