#pragma once
// Makes fresh memory ready on a second thread while the caller fills it.
// The system hands out memory one page at a time, on the first write to it,
// and for a large block that costs about as much as filling it. Started
// before the caller fills the block from its start, the second thread gets
// the pages from the system ahead of it. The memory's contents are never
// touched; a system that cannot do this leaves the work to the first write.
#include <cstddef>
#include <thread>

namespace lw {

class MemoryReady {
  public:
    // Blocks smaller than this are not worth a thread.
    static constexpr std::size_t kMinBytes = std::size_t(4) << 20;

    MemoryReady(void* begin, std::size_t bytes);
    ~MemoryReady(); // waits for the second thread
    MemoryReady(const MemoryReady&) = delete;
    MemoryReady& operator=(const MemoryReady&) = delete;

  private:
    std::thread worker_;
};

} // namespace lw
