#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace corvane::cli {

// "corvane-plan: planning 5,000 of 17,520 intervals" on standard error,
// rewritten in place, once the run has taken more than two seconds, and
// only when standard error is a terminal; wiped when the work is done.
// One thread at a time.
class ProgressLine {
public:
    ProgressLine(std::string doing, std::size_t total);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void Step() {
        if (++done_ % kCheckEvery == 0 && terminal_) Show();
    }
    // For work not counted in intervals: the line is `doing` and this.
    void Say(const std::string& state);
    double Seconds() const;

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::size_t kCheckEvery = 64;

    void Show();
    void Put(const std::string& line);

    std::string doing_;
    std::size_t total_;
    std::size_t done_ = 0;
    bool terminal_;
    bool shown_ = false;
    std::size_t width_ = 0;
    Clock::time_point next_{};
    Clock::time_point began_ = Clock::now();
};

}  // namespace corvane::cli
