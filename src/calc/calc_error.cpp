#include "calc/calc_error.h"

#include <string>

namespace corvane {

CalcError::CalcError(ErrorNumber number)
    : std::runtime_error("run-time error " + std::to_string(number)), number_(number) {}

void RaiseError(ErrorNumber number) { throw CalcError(number); }

}  // namespace corvane
