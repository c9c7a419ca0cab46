#pragma once

#include <cstddef>

namespace corvane::cli {

// Has the system provide the pages of [start, start + bytes) in one call,
// before they are written: on a virtual machine each page first written
// otherwise costs a fault of several microseconds, and a year of kept rows
// is 800 pages. Where the system cannot, the pages come as they are written.
void ProvideMemoryAhead(void* start, std::size_t bytes);

}  // namespace corvane::cli
