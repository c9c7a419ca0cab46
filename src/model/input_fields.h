#pragma once

#include <optional>
#include <string>

#include "calc/number_marks.h"

namespace corvane::model {

// One input field's check, read alike by the layout (caption), the
// messages (range message and title) and the check itself (range and
// conversion).
struct InputField {
    enum class Number { Whole16, Decimal };

    const char* caption;  // the caption label's text
    double low;           // accepted range, both ends included
    double high;
    const char* rangeMessage;
    const char* title;    // the title of the field's messages
    Number number;        // how the text is converted
    const char* shownAs;  // pattern the accepted number is shown in; nullptr: text kept
    bool storesRefused;   // an out-of-range number is stored as is (else 0)
};

extern const InputField kTalkField;
extern const InputField kAcwField;
extern const InputField kCallsField;
extern const InputField kSloField;
extern const InputField kErlangField;
extern const InputField kBusyField;

// What a field's check decided, for the window to carry out.
struct FieldCheck {
    bool accepted = true;
    std::optional<double> store;         // the number to store, when one is stored
    std::optional<std::string> message;  // shown under the field's title
    std::optional<std::string> rewrite;  // the field's new text
};

// The check run when the focus leaves a field:
//  - in range: accepted (and shown in its pattern where it has one);
//  - out of range: the range message, refused;
//  - not a number: accepted silently when blank, the stored number kept,
//    otherwise "Entry '<text>' is not valid", refused;
//  - beyond what the number type holds: the range message, refused, the
//    stored number kept.
FieldCheck CheckField(const InputField& field, const std::string& text, const NumberMarks& marks);

}  // namespace corvane::model
