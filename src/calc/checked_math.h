#pragma once

#include <cmath>

#include "calc/calc_error.h"

// Arithmetic that raises the overflow error (6) instead of producing an
// infinity or NaN. A result too small to represent is simply zero.
namespace corvane::checked {

inline double Finite(double x) {
    if (!std::isfinite(x)) RaiseError(kErrOverflow);
    return x;
}

inline double Add(double a, double b) { return Finite(a + b); }
inline double Sub(double a, double b) { return Finite(a - b); }
inline double Mul(double a, double b) { return Finite(a * b); }
inline double Div(double a, double b) { return Finite(a / b); }

// exp overflows above ln(DBL_MAX), about 709.78.
inline double Exp(double x) { return Finite(std::exp(Finite(x))); }

// The logarithm of a value that is not positive is an invalid argument.
inline double Log(double x) {
    if (!(x > 0.0)) RaiseError(kErrInvalidCall);
    return Finite(std::log(x));
}

// 16-bit signed counters and sums.
inline int Int16(long v) {
    if (v < -32768 || v > 32767) RaiseError(kErrOverflow);
    return static_cast<int>(v);
}

}  // namespace corvane::checked
