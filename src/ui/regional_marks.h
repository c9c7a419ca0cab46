#pragma once

#include <QLocale>

#include "calc/number_marks.h"

namespace corvane::ui {

// The grouping mark and decimal sign of a Qt locale, for the number text
// of the tables and fields.
NumberMarks MarksOf(const QLocale& locale);

// The marks from a locale's two texts: a missing decimal sign is '.', and
// a grouping mark equal to the decimal sign gives way to the other of ','
// and '.', so no number reads two ways.
NumberMarks MarksFrom(const QString& group, const QString& decimal);

}  // namespace corvane::ui
