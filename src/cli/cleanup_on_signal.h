#pragma once

namespace corvane::cli {

// Names of temporary files that a signal must not leave behind: removed
// when SIGINT, SIGTERM or SIGHUP ends the program. SIGPIPE is ignored: a
// write to a reader that went away fails instead, and says so.
void InstallCleanupOnSignal();
// Returns false when no slot is free (the caller then keeps no name).
bool RemoveOnSignal(const char* path);
void ForgetOnSignal(const char* path);

}  // namespace corvane::cli
