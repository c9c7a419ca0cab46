#pragma once

#include <QString>
#include <QStringList>

namespace corvane::output {

// What is copied or printed: a heading and the lines of a table.
struct Report {
    QString heading;
    QStringList lines;
    // A plan's wide table: printed to fit the page's width (landscape, or a
    // smaller type), its column heading `repeated` at the top of every page
    // that lines [repeatFrom, repeatUntil) run onto.
    bool fitWidth = false;
    QStringList repeated;
    int repeatFrom = -1;
    int repeatUntil = -1;
};

// A report with its heading and no lines yet.
inline Report ReportHeaded(const QString& heading) {
    Report r;
    r.heading = heading;
    return r;
}

}  // namespace corvane::output
