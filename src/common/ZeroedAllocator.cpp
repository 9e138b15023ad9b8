#include "common/ZeroedAllocator.h"

#include <sys/mman.h>

#include <cstdlib>

namespace common {

namespace {

// Below this a block comes from the C library, which keeps small blocks in its own heap.
constexpr std::size_t kSystemBlockBytes = std::size_t{1} << 22;

// The address sanitizer watches only the C library's blocks: its builds take every block there.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif

bool fromCLibrary(std::size_t bytes) {
  return kAddressSanitizer || bytes < kSystemBlockBytes;
}

}  // namespace

void* allocateZeroed(std::size_t bytes) {
  if (fromCLibrary(bytes)) {
    void* block = std::calloc(bytes == 0 ? 1 : bytes, 1);
    if (!block) throw std::bad_alloc();
    return block;
  }
  void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) throw std::bad_alloc();
  // Only advice: without huge pages the block works the same, with more page faults.
  madvise(block, bytes, MADV_HUGEPAGE);
  return block;
}

void releaseZeroed(void* block, std::size_t bytes) noexcept {
  if (fromCLibrary(bytes)) {
    std::free(block);
  } else if (block) {
    munmap(block, bytes);
  }
}

}  // namespace common
