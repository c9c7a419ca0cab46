#pragma once

namespace corvane::cli {

// Names of temporary files that a signal must not leave behind: removed
// when SIGINT, SIGTERM or SIGHUP ends the program, at any moment of the
// run (the signals are blocked in every thread and taken by one of their
// own, so no library's handler can swallow them). Call it before any other
// thread starts. SIGPIPE is ignored: a write to a reader that went away
// fails instead, and says so.
void InstallCleanupOnSignal();
// Returns false when no slot is free (the caller then keeps no name).
bool RemoveOnSignal(const char* path);
void ForgetOnSignal(const char* path);

}  // namespace corvane::cli
