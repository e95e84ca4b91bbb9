#include "platform/MemoryReady.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace lw {

MemoryReady::MemoryReady(void* begin, std::size_t bytes) {
#ifdef MADV_POPULATE_WRITE
    if (bytes < kMinBytes) return;
    // Whole pages only: the partial pages at both ends belong to others too.
    const std::uintptr_t page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t from = (std::uintptr_t(begin) + page - 1) & ~(page - 1);
    const std::uintptr_t to = (std::uintptr_t(begin) + bytes) & ~(page - 1);
    if (to <= from) return;
    try {
        worker_ = std::thread([from, to] {
            ::madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE);
        });
    } catch (const std::system_error&) {
        // No thread to be had: the first write gets the pages as usual.
    }
#else
    (void)begin;
    (void)bytes;
#endif
}

MemoryReady::~MemoryReady() {
    if (worker_.joinable()) worker_.join();
}

} // namespace lw
