#include "cli/unnamed_temporary.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace corvane::cli {

int UnnamedTemporary() {
    const char* dir = std::getenv("TMPDIR");
    if (!dir || !*dir) dir = "/tmp";
    int fd = ::open(dir, O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) return fd;
    std::string name = std::string(dir) + "/.corvane-XXXXXX";
    fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd >= 0) ::unlink(name.c_str());
    return fd;
}

}  // namespace corvane::cli
