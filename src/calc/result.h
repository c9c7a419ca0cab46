#pragma once

#include <cassert>
#include <utility>
#include <variant>

namespace corvane {

// The error half of a Result, so a Result<std::string, std::string> can
// still tell a value from a failure: `return Fail(kErrOverflow);`.
template <class E>
struct Failure {
    E error;
};

template <class E>
Failure<E> Fail(E error) {
    return Failure<E>{std::move(error)};
}

// What a function that can fail returns, in every layer: its value, or why
// there is none. Exceptions stay inside the library that throws them.
template <class T, class E>
class [[nodiscard]] Result {
public:
    Result(T value)
        : state_(std::in_place_index<0>, std::move(value)) {}  // NOLINT: implicit by design
    Result(Failure<E> failure)                                 // NOLINT: implicit by design
        : state_(std::in_place_index<1>, std::move(failure.error)) {}

    bool Ok() const { return state_.index() == 0; }
    explicit operator bool() const { return Ok(); }

    const T& Value() const {
        assert(Ok());
        return std::get<0>(state_);
    }
    T& Value() {
        assert(Ok());
        return std::get<0>(state_);
    }
    const E& Error() const {
        assert(!Ok());
        return std::get<1>(state_);
    }
    T ValueOr(T fallback) const { return Ok() ? std::get<0>(state_) : std::move(fallback); }

private:
    std::variant<T, E> state_;
};

// A Result with nothing to hand back but success.
template <class E>
class [[nodiscard]] Result<void, E> {
public:
    Result() = default;
    Result(Failure<E> failure) : error_(std::move(failure.error)), ok_(false) {}  // NOLINT

    bool Ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const E& Error() const {
        assert(!ok_);
        return error_;
    }

private:
    E error_{};
    bool ok_ = true;
};

}  // namespace corvane
