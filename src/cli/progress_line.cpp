#include "cli/progress_line.h"

#include <unistd.h>

#include <algorithm>

namespace corvane::cli {

namespace {

using Clock = std::chrono::steady_clock;

// The run's start, as near the program's as a static can be.
const Clock::time_point kStarted = Clock::now();
constexpr auto kQuietFor = std::chrono::seconds(2);
constexpr auto kRedrawEvery = std::chrono::milliseconds(200);

std::string Grouped(std::size_t n) {
    std::string digits = std::to_string(n);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

void Write(const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(2, text.data() + done, text.size() - done);
        if (n <= 0) return;  // a progress line is never worth a failure
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace

ProgressLine::ProgressLine(std::string doing, std::size_t total)
    : doing_(std::move(doing)), total_(total), terminal_(::isatty(2) == 1), next_(kStarted + kQuietFor) {}

ProgressLine::~ProgressLine() {
    // The line is wiped so that what follows starts clean.
    if (shown_) Write("\r" + std::string(width_, ' ') + "\r");
}

void ProgressLine::Show() {
    Put("corvane-plan: " + doing_ + " " + Grouped(done_) + " of " + Grouped(total_) +
        " intervals");
}

void ProgressLine::Say(const std::string& state) {
    if (terminal_) Put("corvane-plan: " + doing_ + state);
}

double ProgressLine::Seconds() const {
    return std::chrono::duration<double>(Clock::now() - began_).count();
}

void ProgressLine::Put(const std::string& line) {
    const auto now = Clock::now();
    if (now < next_) return;
    next_ = now + kRedrawEvery;
    shown_ = true;
    // Padded over a longer line shown before.
    Write("\r" + line + std::string(width_ > line.size() ? width_ - line.size() : 0, ' '));
    width_ = std::max(width_, line.size());
}

}  // namespace corvane::cli
