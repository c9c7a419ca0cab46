#include "cli/memory_ahead.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace corvane::cli {

void ProvideMemoryAhead(void* start, std::size_t bytes) {
#ifdef MADV_POPULATE_WRITE
    static const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto from = reinterpret_cast<std::uintptr_t>(start) / page * page;
    const auto to = reinterpret_cast<std::uintptr_t>(start) + bytes;
    // Pages already there are left as they are; their contents are kept.
    (void)::madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE);
#else
    (void)start;
    (void)bytes;
#endif
}

}  // namespace corvane::cli
