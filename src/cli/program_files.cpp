#include "cli/program_files.h"

#include <unistd.h>

#include <climits>
#include <filesystem>

namespace corvane::cli {

std::string ProgramFile(const std::string& name) {
    char self[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return name;
    const std::string path(self, static_cast<std::size_t>(n));
    const std::string directory = path.substr(0, path.rfind('/') + 1);
    const std::string beside = directory + name;
    if (::access(beside.c_str(), R_OK) == 0) return beside;
    // Installed: from the program's bin directory to the program files,
    // wherever the prefix is.
    return (std::filesystem::path(directory) / CORVANE_FILES_FROM_BIN / name)
        .lexically_normal()
        .string();
}

}  // namespace corvane::cli
