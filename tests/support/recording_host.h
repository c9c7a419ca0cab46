#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "model/trunk_run.h"

// A trunk search's host for tests: counts the event pumps, may act at one
// of them, and records the messages instead of showing them.
namespace corvane::testing {

class RecordingHost : public model::TrunkSearchHost {
public:
    std::function<void(int)> onPump;  // receives the pump count so far
    int pumps = 0;
    std::vector<std::pair<std::string, std::string>> messages;  // text, title

    void ServicePendingEvents() override {
        ++pumps;
        if (onPump) onPump(pumps);
    }
    void ShowMessage(const std::string& text, const std::string& title) override {
        messages.emplace_back(text, title);
    }
};

}  // namespace corvane::testing
