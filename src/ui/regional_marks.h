#pragma once

#include <QLocale>

#include "calc/number_marks.h"

namespace corvane::ui {

// The grouping mark and decimal sign of a Qt locale, for the number text
// of the tables and fields.
NumberMarks MarksOf(const QLocale& locale);

}  // namespace corvane::ui
