#pragma once

#include <string>
#include <vector>

namespace corvane::plan {

// A table of text cells laid out in fixed columns for a mono-spaced font:
// each column as wide as its widest cell, a line of '=' under the heads,
// two spaces between columns.
class FixedTable {
public:
    enum class Align { Left, Right };

    void AddColumn(std::string head, Align align);
    void AddRow(std::vector<std::string> cells);
    std::vector<std::string> Lines() const;

private:
    std::vector<std::string> heads_;
    std::vector<Align> aligns_;
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace corvane::plan
