#include "ui/regional_marks.h"

namespace corvane::ui {

NumberMarks MarksOf(const QLocale& locale) {
    NumberMarks marks;
    marks.group = locale.groupSeparator().toStdString();
    marks.decimal = locale.decimalPoint().toStdString();
    if (marks.decimal.empty()) marks.decimal = ".";
    if (marks.group == marks.decimal) marks.group = marks.decimal == "," ? "." : ",";
    return marks;
}

}  // namespace corvane::ui
