#include "plan/fixed_table.h"

#include <algorithm>

#include "calc/utf8_text.h"

namespace corvane::plan {

void FixedTable::AddColumn(std::string head, Align align) {
    heads_.push_back(std::move(head));
    aligns_.push_back(align);
}

void FixedTable::AddRow(std::vector<std::string> cells) {
    cells.resize(heads_.size());
    rows_.push_back(std::move(cells));
}

std::vector<std::string> FixedTable::Lines() const {
    std::vector<std::size_t> widths;
    for (const std::string& head : heads_) widths.push_back(utf8::Length(head));
    for (const auto& row : rows_)
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], utf8::Length(row[c]));

    auto line = [&](const std::vector<std::string>& cells) {
        std::string out;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0) out += "  ";
            const std::string pad(widths[c] - utf8::Length(cells[c]), ' ');
            if (aligns_[c] == Align::Right)
                out += pad + cells[c];
            else if (c + 1 < cells.size())
                out += cells[c] + pad;
            else
                out += cells[c];  // no blanks at the end of a line
        }
        return out;
    };
    std::vector<std::string> lines{line(heads_)};
    std::vector<std::string> rules;
    for (const std::string& head : heads_) rules.emplace_back(utf8::Length(head), '=');
    lines.push_back(line(rules));
    for (const auto& row : rows_) lines.push_back(line(row));
    return lines;
}

}  // namespace corvane::plan
