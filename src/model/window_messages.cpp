#include "model/window_messages.h"

#include "calc/number_format.h"

namespace corvane::model {

std::string UnexpectedErrorText(ErrorNumber number) {
    return "Unexpected error # " + NumberAsText(number);
}

RunMessage TrunkSearchFailure(ErrorNumber number) {
    if (number == kErrOverflow)
        return {"This combination of numbers is too large for the program.", ""};
    return {UnexpectedErrorText(number), "Corvane"};
}

std::optional<RunMessage> StaffingFailure(ErrorNumber number, bool allFieldsFilled) {
    switch (number) {
        case kErrOverflow:
            if (!allFieldsFilled) return std::nullopt;
            return RunMessage{
                "Staff calculation failed: the specified parameters are outside the usable range.",
                "Corvane"};
        case kErrInvalidCall: return std::nullopt;
        default: return RunMessage{UnexpectedErrorText(number), "Staffing"};
    }
}

RunMessage ClipboardOutcome(const Result<void, ErrorNumber>& copied) {
    const char* title = "Copy To Clipboard";
    if (!copied) return {UnexpectedErrorText(copied.Error()), title};
    return {
        "To maintain alignment of the columns after pasting into your word processor,\r\n"
        "be sure to specify a mono-spaced font, like Courier New.  A proportional-spaced\r\n"
        "font, such as Times New Roman, will not maintain alignment.  Consult your word\r\n"
        "processor's User Guide for the procedure to specify fonts.",
        title};
}

}  // namespace corvane::model
