#pragma once

#include <string>

namespace corvane::cli {

// The hidden names the program writes aside under, beside a target: ".cp-"
// and 8 random letters or digits, short enough for any legal target name.
// A named temporary is held locked while it is in use.
std::string NewTemporaryName(const std::string& directory);
void LockTemporary(int fd);

// Removes, from `directory`, temporaries of the program's own naming that
// a run stopped by SIGKILL left behind: older than this process and held
// by no running one. Best effort: whatever cannot be checked is kept.
void RemoveStaleTemporaries(const std::string& directory);

}  // namespace corvane::cli
