#pragma once

#include <functional>

#include <QString>

namespace corvane::output {

// A modal message with an OK button only and no icon; the answer is never
// used. Windows and output commands take one of these, so tests can record
// what is shown.
using MessageFunction = std::function<void(const QString& text, const QString& title)>;

}  // namespace corvane::output
