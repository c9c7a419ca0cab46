#pragma once

namespace corvane::cli {

// A file without a name in $TMPDIR (or /tmp), open for reading and writing:
// it vanishes with the process, however that ends. -1 when none can be made.
int UnnamedTemporary();

}  // namespace corvane::cli
