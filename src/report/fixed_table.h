#pragma once

#include <string>
#include <vector>

namespace corvane::report {

// A table of text cells laid out in fixed columns for a mono-spaced font:
// each column as wide as its widest cell, a line of '=' under the heads,
// two spaces between columns. Every row is measured first, then written a
// line at a time, so the rows need not be kept.
class FixedTable {
public:
    enum class Align { Left, Right };

    void AddColumn(std::string head, Align align);
    void Measure(const std::vector<std::string>& cells);
    // The heads and the rule under them, each line ending in "\n".
    std::string Head() const;
    // One row, ending in "\n".
    std::string Line(const std::vector<std::string>& cells) const;
    // A whole table held in memory: every row measured, then the heads and
    // the rows.
    std::string Text(const std::vector<std::vector<std::string>>& rows);

private:
    std::vector<std::string> heads_;
    std::vector<Align> aligns_;
    std::vector<std::size_t> widths_;
};

}  // namespace corvane::report
