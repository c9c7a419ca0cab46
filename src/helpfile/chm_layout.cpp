#include "helpfile/chm_layout.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "calc/plain_text.h"

namespace corvane::helpfile {

namespace {

// Sizes a help file may claim. Real files use 4 KiB directory chunks and
// 32 KiB compression blocks; the limits leave ample room.
constexpr std::uint64_t kMaxDirectoryChunk = 64u * 1024u;
constexpr std::uint64_t kMaxCompressionBlock = 1024u * 1024u;
constexpr std::uint64_t kMaxPathLength = 512;     // the library's own limit
constexpr std::uint64_t kCompressedSlack = 6144;  // its buffer beyond a block

const std::string kResetTable =
    "::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/"
    "InstanceData/ResetTable";
const std::string kControlData = "::DataSpace/Storage/MSCompressed/ControlData";
const std::string kContent = "::DataSpace/Storage/MSCompressed/Content";

std::uint64_t Little(std::string_view s, std::size_t at, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
    return v;
}

struct Entry {
    std::uint64_t space = 0;
    std::uint64_t start = 0;
    std::uint64_t length = 0;
};

// Reads the directory's variable-length numbers and names inside one chunk.
class ChunkReader {
public:
    ChunkReader(std::string_view chunk, std::size_t from, std::size_t to)
        : chunk_(chunk), at_(from), end_(to) {}
    bool More() const { return at_ < end_; }

    std::optional<std::uint64_t> Number() {
        std::uint64_t value = 0;
        for (int i = 0; i < 9 && at_ < end_; ++i) {
            const auto byte = static_cast<unsigned char>(chunk_[at_++]);
            value = (value << 7) | (byte & 0x7f);
            if (byte < 0x80) return value;
        }
        return std::nullopt;
    }

    std::optional<std::string> Name() {
        const auto length = Number();
        if (!length || *length > kMaxPathLength || *length > end_ - at_) return std::nullopt;
        std::string text(chunk_.substr(at_, *length));
        at_ += *length;
        return text;
    }

private:
    std::string_view chunk_;
    std::size_t at_;
    std::size_t end_;
};

struct Directory {
    std::uint64_t chunkLength = 0;
    std::uint64_t chunks = 0;
    std::int64_t root = -1;
    std::map<std::string, Entry> entries;
    std::map<std::uint64_t, std::vector<std::uint64_t>> children;  // index chunk -> pages
};

bool ReadChunk(std::string_view chunk, std::uint64_t number, Directory& dir) {
    const std::uint64_t n = chunk.size();
    if (chunk.substr(0, 4) == "PMGL") {
        const std::uint64_t freeSpace = Little(chunk, 4, 4);
        if (freeSpace > n - 20) return false;
        ChunkReader r(chunk, 20, n - freeSpace);
        while (r.More()) {
            const auto name = r.Name();
            const auto space = r.Number();
            const auto start = r.Number();
            const auto length = r.Number();
            if (!name || !space || !start || !length) return false;
            dir.entries[text::Lower(*name)] = Entry{*space, *start, *length};
        }
        return true;
    }
    if (chunk.substr(0, 4) == "PMGI") {
        const std::uint64_t freeSpace = Little(chunk, 4, 4);
        if (freeSpace > n - 8) return false;
        ChunkReader r(chunk, 8, n - freeSpace);
        while (r.More()) {
            const auto name = r.Name();
            const auto page = r.Number();
            if (!name || !page || *page >= dir.chunks) return false;
            dir.children[number].push_back(*page);
        }
        return true;
    }
    return false;  // neither a listing nor an index chunk
}

// The library walks the index from its root until it meets a listing; a
// loop would keep it walking for ever.
bool IndexHasNoLoop(const Directory& dir, std::uint64_t chunk, std::set<std::uint64_t>& path) {
    if (!path.insert(chunk).second) return false;
    if (const auto it = dir.children.find(chunk); it != dir.children.end())
        for (const std::uint64_t child : it->second)
            if (!IndexHasNoLoop(dir, child, path)) return false;
    path.erase(chunk);
    return true;
}

std::optional<Directory> ReadDirectory(std::string_view file, std::uint64_t& dataOffset) {
    const std::uint64_t size = file.size();
    if (size < 0x60 || file.substr(0, 4) != "ITSF") return std::nullopt;
    const std::uint64_t version = Little(file, 4, 4);
    if (version != 2 && version != 3) return std::nullopt;
    const std::uint64_t section0 = Little(file, 0x38, 8);
    const std::uint64_t section0Length = Little(file, 0x40, 8);
    const std::uint64_t directory = Little(file, 0x48, 8);
    const std::uint64_t directoryLength = Little(file, 0x50, 8);
    if (section0 > size || section0Length > size - section0) return std::nullopt;
    if (directory > size || directoryLength > size - directory || directoryLength < 0x54)
        return std::nullopt;
    dataOffset = version == 3 ? Little(file, 0x58, 8) : directory + directoryLength;
    if (dataOffset > size) return std::nullopt;

    const std::string_view itsp = file.substr(directory, directoryLength);
    if (itsp.substr(0, 4) != "ITSP") return std::nullopt;
    Directory dir;
    const std::uint64_t headerLength = Little(itsp, 8, 4);
    dir.chunkLength = Little(itsp, 0x10, 4);
    dir.root = static_cast<std::int32_t>(Little(itsp, 0x1C, 4));
    const std::uint64_t first = Little(itsp, 0x20, 4);
    dir.chunks = Little(itsp, 0x2C, 4);
    if (headerLength < 0x54 || headerLength > directoryLength) return std::nullopt;
    if (dir.chunkLength < 0x20 || dir.chunkLength > kMaxDirectoryChunk) return std::nullopt;
    if (dir.chunks == 0 || dir.chunks > (directoryLength - headerLength) / dir.chunkLength)
        return std::nullopt;
    if (dir.root < -1 || (dir.root >= 0 && static_cast<std::uint64_t>(dir.root) >= dir.chunks))
        return std::nullopt;
    if (first >= dir.chunks) return std::nullopt;
    if (dir.root == -1) dir.root = static_cast<std::int64_t>(first);

    for (std::uint64_t c = 0; c < dir.chunks; ++c) {
        const std::string_view chunk =
            itsp.substr(headerLength + c * dir.chunkLength, dir.chunkLength);
        if (!ReadChunk(chunk, c, dir)) return std::nullopt;
    }
    std::set<std::uint64_t> path;
    if (!IndexHasNoLoop(dir, static_cast<std::uint64_t>(dir.root), path)) return std::nullopt;
    return dir;
}

// The bytes of an uncompressed entry.
std::optional<std::string_view> Stored(std::string_view file, std::uint64_t dataOffset,
                                       const Entry& e) {
    if (e.space != 0) return std::nullopt;
    const std::uint64_t size = file.size();
    if (e.start > size - dataOffset || e.length > size - dataOffset - e.start) return std::nullopt;
    return file.substr(dataOffset + e.start, e.length);
}

// The LZX parameters, in the same 32-bit arithmetic the library uses: it
// decodes only windows of 2^15 to 2^21 bytes and divides by the reset
// block count.
bool ControlDataIsSound(std::string_view data) {
    if (data.size() < 0x18 || data.substr(4, 4) != "LZXC") return false;
    const auto version = static_cast<std::uint32_t>(Little(data, 8, 4));
    auto resetInterval = static_cast<std::uint32_t>(Little(data, 12, 4));
    auto window = static_cast<std::uint32_t>(Little(data, 16, 4));
    const auto windowsPerReset = static_cast<std::uint32_t>(Little(data, 20, 4));
    if (version == 2) {
        resetInterval *= 0x8000u;
        window *= 0x8000u;
    }
    if (window < (1u << 15) || window > (1u << 21) || (window & (window - 1)) != 0) return false;
    if (resetInterval == 0 || resetInterval % (window / 2) != 0) return false;
    const std::uint32_t blocksPerReset = resetInterval / (window / 2) * windowsPerReset;
    return blocksPerReset != 0;
}

// Every compressed block must fit the buffer the library reads it into.
bool ResetTableIsSound(std::string_view table, std::uint64_t contentLength) {
    if (table.size() < 0x28) return false;
    const std::uint64_t blocks = Little(table, 4, 4);
    const std::uint64_t tableOffset = Little(table, 12, 4);
    const std::uint64_t compressed = Little(table, 0x18, 8);
    const std::uint64_t block = Little(table, 0x20, 8);
    if (block == 0 || block > kMaxCompressionBlock || compressed > contentLength) return false;
    if (blocks == 0 || tableOffset > table.size() || blocks > (table.size() - tableOffset) / 8)
        return false;
    std::uint64_t previous = Little(table, tableOffset, 8);
    for (std::uint64_t b = 1; b <= blocks; ++b) {
        const std::uint64_t next = b < blocks ? Little(table, tableOffset + b * 8, 8) : compressed;
        if (next < previous || next - previous > block + kCompressedSlack) return false;
        previous = next;
    }
    return true;
}

}  // namespace

bool ChmLayoutIsSound(std::string_view file) {
    std::uint64_t dataOffset = 0;
    const auto dir = ReadDirectory(file, dataOffset);
    if (!dir) return false;
    for (const auto& [name, entry] : dir->entries) {
        if (entry.space > 1) return false;
        if (entry.space == 0 && !Stored(file, dataOffset, entry)) return false;
    }
    const auto find = [&](const std::string& name) -> const Entry* {
        const auto it = dir->entries.find(text::Lower(name));
        return it == dir->entries.end() ? nullptr : &it->second;
    };
    const Entry* reset = find(kResetTable);
    const Entry* control = find(kControlData);
    const Entry* content = find(kContent);
    const bool compressed = reset || control || content;
    if (!compressed) {
        for (const auto& [name, entry] : dir->entries)
            if (entry.space != 0) return false;  // nothing to decompress them with
        return true;
    }
    if (!reset || !control || !content) return false;
    const auto table = Stored(file, dataOffset, *reset);
    const auto lzxc = Stored(file, dataOffset, *control);
    if (!table || !lzxc || !Stored(file, dataOffset, *content)) return false;
    return ControlDataIsSound(*lzxc) && ResetTableIsSound(*table, content->length);
}

}  // namespace corvane::helpfile
