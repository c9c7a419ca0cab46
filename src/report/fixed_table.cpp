#include "report/fixed_table.h"

#include <algorithm>

#include "calc/utf8_text.h"

namespace corvane::report {

void FixedTable::AddColumn(std::string head, Align align) {
    widths_.push_back(utf8::Length(head));
    heads_.push_back(std::move(head));
    aligns_.push_back(align);
}

void FixedTable::Measure(const std::vector<std::string>& cells) {
    for (std::size_t c = 0; c < cells.size() && c < widths_.size(); ++c)
        widths_[c] = std::max(widths_[c], utf8::Length(cells[c]));
}

std::string FixedTable::Line(const std::vector<std::string>& cells) const {
    std::string out;
    for (std::size_t c = 0; c < heads_.size(); ++c) {
        const std::string& cell = c < cells.size() ? cells[c] : std::string();
        if (c > 0) out += "  ";
        const std::size_t length = utf8::Length(cell);
        const std::string pad(widths_[c] > length ? widths_[c] - length : 0, ' ');
        if (aligns_[c] == Align::Right)
            out += pad + cell;
        else if (c + 1 < heads_.size())
            out += cell + pad;
        else
            out += cell;  // no blanks at the end of a line
    }
    return out + "\n";
}

std::string FixedTable::Text(const std::vector<std::vector<std::string>>& rows) {
    for (const auto& row : rows) Measure(row);
    std::string out = Head();
    for (const auto& row : rows) out += Line(row);
    return out;
}

std::string FixedTable::Head() const {
    std::vector<std::string> rules;
    for (const std::string& head : heads_) rules.emplace_back(utf8::Length(head), '=');
    return Line(heads_) + Line(rules);
}

}  // namespace corvane::report
