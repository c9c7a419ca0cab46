#pragma once

#include "model/input_fields.h"

namespace corvane::model {

// A field of the window whose checked number the model stores: one of the
// four staffing fields, or a trunk group's traffic or allowance.
struct WindowField {
    enum class Kind { Talk, Acw, Calls, Slo, Erlangs, Busy };
    Kind kind;
    int group = 0;  // the trunk group, for Erlangs and Busy

    const InputField& Input() const;
};

}  // namespace corvane::model
