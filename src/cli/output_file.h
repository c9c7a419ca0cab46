#pragma once

#include <string>
#include <string_view>

namespace corvane::cli {

// Writes `content` to a new file beside `path` and renames it over `path`
// only once every byte is on disk, so an existing file is either replaced
// whole or left as it was. Returns an empty text, or what went wrong.
std::string WriteWholeFile(const std::string& path, std::string_view content);

// Removes what WriteWholeFile left half-way (used when a second file of
// the same run fails and the first must not be replaced either).
class PendingFile {
public:
    PendingFile() = default;
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile();

    // Writes the temporary file; an empty text on success.
    std::string Prepare(const std::string& path, std::string_view content);
    // Renames it over the target.
    std::string Commit();

private:
    std::string path_;
    std::string temp_;
};

}  // namespace corvane::cli
