#pragma once

#include <QString>
#include <QStringList>

namespace corvane::output {

// What is copied or printed: a heading and the lines of a table.
struct Report {
    QString heading;
    QStringList lines;
};

}  // namespace corvane::output
