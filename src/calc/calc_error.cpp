#include "calc/calc_error.h"

namespace corvane {

CalcError::CalcError(int number)
    : std::runtime_error("run-time error " + std::to_string(number)), number_(number) {}

void RaiseError(int number) { throw CalcError(number); }

std::string NumberAsText(long long value) {
    if (value < 0) return std::to_string(value);
    return " " + std::to_string(value);
}

std::string UnexpectedErrorText(ErrorTextForm form, int number) {
    const char* literal =
        form == ErrorTextForm::TwoSpaces ? "Unexpected error # " : "Unexpected error #";
    return literal + NumberAsText(number);
}

}  // namespace corvane
