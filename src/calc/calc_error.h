#pragma once

#include <stdexcept>

namespace corvane {

// Run-time error numbers, the one list for the whole program; the window's
// messages show them.
enum ErrorNumber : int {
    kErrInvalidCall = 5,
    kErrOverflow = 6,
    kErrTypeMismatch = 13,
    kErrPrinter = 482,    // the printer failed
    kErrClipboard = 521,  // the clipboard cannot be opened
};

// How a long computation leaves its inner loops when a value leaves the
// double range. It is thrown and caught inside one library: functions
// other libraries call return a Result instead.
class CalcError : public std::runtime_error {
public:
    explicit CalcError(ErrorNumber number);
    ErrorNumber Number() const noexcept { return number_; }

private:
    ErrorNumber number_;
};

[[noreturn]] void RaiseError(ErrorNumber number);

}  // namespace corvane
