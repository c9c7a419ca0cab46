#pragma once

#include <string>

namespace corvane::cli {

// Writes "program: text" on standard error and gives `status` back. What a
// message quotes from the command line reaches the terminal escaped, line
// by line.
int SayError(const char* program, const std::string& text, int status);

}  // namespace corvane::cli
