#pragma once

#include <stdexcept>
#include <utility>

#include "input/plan_fault.h"

namespace corvane::input {

// How the reader and the totals leave their inner loops on bad input. It
// never leaves the plan library: the functions others call return a
// Result<..., PlanFault>.
class PlanInputError : public std::runtime_error {
public:
    explicit PlanInputError(const std::string& message,
                            PlanFault::Kind kind = PlanFault::Kind::BadInput)
        : std::runtime_error(message), kind_(kind) {}
    PlanFault Fault() const { return {kind_, what()}; }

private:
    PlanFault::Kind kind_;
};

}  // namespace corvane::input
