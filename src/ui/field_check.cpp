#include "ui/field_check.h"

#include "calc/calc_error.h"
#include "calc/number_parse.h"

namespace corvane::ui {

bool CheckField(const QString& text, const std::function<bool()>& convertAndStore,
                const QString& rangeMessage, const QString& title,
                const MessageFunction& message) {
    try {
        if (convertAndStore()) return true;
        message(rangeMessage, title);
        return false;
    } catch (const CalcError& e) {
        if (e.number() == kErrTypeMismatch) {
            if (IsBlank(text.toStdString())) return true;
            message(QStringLiteral("Entry '") + text + QStringLiteral("' is not valid"), title);
            return false;
        }
        message(rangeMessage, title);
        return false;
    }
}

}  // namespace corvane::ui
