#pragma once

#include <string>

namespace corvane::model {

// A message a run wants shown, with its title.
struct RunMessage {
    std::string text;
    std::string title;
};

}  // namespace corvane::model
