#pragma once

#include <stdexcept>
#include <string>

namespace corvane {

// Run-time error numbers as the planner's messages show them.
enum ErrorNumber : int {
    kErrInvalidCall = 5,
    kErrOverflow = 6,
    kErrTypeMismatch = 13,
    kErrPrinter = 482,    // the printer failed
    kErrClipboard = 521,  // the clipboard cannot be opened
};

// A failure carrying its run-time error number, so callers can sort
// failures by number and pick the right message.
class CalcError : public std::runtime_error {
public:
    explicit CalcError(int number);
    int Number() const noexcept { return number_; }

private:
    int number_;
};

[[noreturn]] void RaiseError(int number);

// A whole number written with its sign position: " 18", "-5".
std::string NumberAsText(long long value);

// The two literal forms of the unexpected-error message; the number's sign
// position follows, so TwoSpaces reads "Unexpected error #  6".
enum class ErrorTextForm {
    OneSpace,   // "Unexpected error #"
    TwoSpaces,  // "Unexpected error # "
};

// The one place the unexpected-error texts are built.
std::string UnexpectedErrorText(ErrorTextForm form, int number);

}  // namespace corvane
