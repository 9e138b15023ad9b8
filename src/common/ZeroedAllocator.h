#pragma once
#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>

namespace common {

// Memory that arrives filled with zero bytes: large blocks come straight from the system, whose
// fresh pages are zero and cost nothing until first touched (a page only read stays the shared
// zero page), and are marked for huge pages, which cut the page faults of a 100 MB map 500-fold.
// Throws std::bad_alloc when the system has no memory left.
void* allocateZeroed(std::size_t bytes);
// Gives back a block of allocateZeroed(bytes) with the same `bytes`.
void releaseZeroed(void* block, std::size_t bytes) noexcept;

// A std::vector allocator for large grids of plain numbers whose zero is their start value: a
// vector of n elements is made without writing them, so building one costs almost nothing and
// its pages are faulted in by whichever thread first writes them. Only for element types whose
// all-zero bytes are their value-initialised value, and for vectors that are sized once: an
// element erased and re-added without a value keeps its old bytes.
template <typename T>
struct ZeroedAllocator {
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);
  using value_type = T;

  ZeroedAllocator() = default;
  template <typename U>
  ZeroedAllocator(const ZeroedAllocator<U>&) noexcept {}

  T* allocate(std::size_t count) {
    if (count > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
    return static_cast<T*>(allocateZeroed(count * sizeof(T)));
  }
  void deallocate(T* block, std::size_t count) noexcept { releaseZeroed(block, count * sizeof(T)); }

  // Value-initialising an element writes nothing: the memory is zero already.
  template <typename U>
  void construct(U*) noexcept {}
  template <typename U, typename... Args>
  void construct(U* at, Args&&... args) {
    ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
  }

  template <typename U>
  bool operator==(const ZeroedAllocator<U>&) const noexcept {
    return true;
  }
};

}  // namespace common
