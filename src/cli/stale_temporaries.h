#pragma once

#include <string>

namespace corvane::cli {

// The hidden names the program writes aside under: ".cp-" and 8 letters or
// digits. A named temporary is held locked while it is in use.
bool IsTemporaryName(const std::string& name);
void LockTemporary(int fd);

// Removes, from `directory`, temporaries of the program's own naming that
// a run stopped by SIGKILL left behind: older than this process and held
// by no running one. Best effort: whatever cannot be checked is kept.
void RemoveStaleTemporaries(const std::string& directory);

}  // namespace corvane::cli
