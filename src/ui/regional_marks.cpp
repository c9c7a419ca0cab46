#include "ui/regional_marks.h"

namespace corvane::ui {

NumberMarks MarksOf(const QLocale& locale) {
    return MarksFrom(locale.groupSeparator(), locale.decimalPoint());
}

NumberMarks MarksFrom(const QString& group, const QString& decimal) {
    NumberMarks marks;
    marks.group = group.toStdString();
    marks.decimal = decimal.toStdString();
    if (marks.decimal.empty()) marks.decimal = ".";
    if (marks.group == marks.decimal) marks.group = marks.decimal == "," ? "." : ",";
    return marks;
}

}  // namespace corvane::ui
