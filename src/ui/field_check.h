#pragma once

#include <functional>

#include <QString>

#include "ui/message_box.h"

namespace corvane::ui {

// The common course of an input field's check. `convertAndStore` converts
// the field's text, stores the number and says whether it lies in the
// field's range (it may also rewrite the field). Then:
//  - in range: accepted;
//  - out of range: the range message, refused;
//  - not a number: accepted silently when blank (the stored number stays),
//    otherwise "Entry '<text>' is not valid", refused;
//  - beyond what the number type holds: the range message, refused, the
//    stored number kept (the conversion failed before storing).
// Returns true to accept, false to keep the focus in the field.
bool CheckField(const QString& text, const std::function<bool()>& convertAndStore,
                const QString& rangeMessage, const QString& title,
                const MessageFunction& message);

}  // namespace corvane::ui
