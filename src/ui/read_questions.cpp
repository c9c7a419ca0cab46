#include "ui/read_questions.h"

#include <QInputDialog>
#include <QPointer>
#include <QStringList>

namespace corvane::ui {

ReadQuestions PlatformQuestions(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    ReadQuestions q;
    q.dateOrder = [owner](const QString& why) -> std::optional<input::DateOrder> {
        const QStringList choices = {QStringLiteral("Day first (31/12/2027)"),
                                     QStringLiteral("Month first (12/31/2027)")};
        bool ok = false;
        const QString chosen = QInputDialog::getItem(
            owner, QStringLiteral("Date Order"),
            why + QStringLiteral("\n\nHow does this file write its dates?"), choices, 0, false,
            &ok);
        if (!ok) return std::nullopt;
        return chosen == choices[0] ? input::DateOrder::DayFirst : input::DateOrder::MonthFirst;
    };
    q.handleTime = [owner](const QString& why) -> std::optional<long> {
        bool ok = false;
        const int seconds = QInputDialog::getInt(
            owner, QStringLiteral("Handle Time"),
            why + QStringLiteral("\n\nHandle time of every call (talk and after-call work), in "
                                 "seconds:"),
            180, 1, 36000, 1, &ok);
        if (!ok) return std::nullopt;
        return seconds;
    };
    return q;
}

}  // namespace corvane::ui
