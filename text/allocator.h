#pragma once

#include <cstddef>
#include <limits>
#include <new>

namespace qingyou {

// Ends the program with run-time error 0 ("分配 %d 字节内存失败!") for `bytes`.
[[noreturn]] void RaiseOutOfMemory(std::size_t bytes) noexcept;

// Allocator of the run-time's values: memory that cannot be had is a fatal
// run-time error naming the number of bytes asked for, never an exception.
// A request whose size does not fit in size_t reports the largest size.
template <class T>
struct RuntimeAllocator {
  using value_type = T;

  RuntimeAllocator() noexcept = default;
  template <class U>
  RuntimeAllocator(const RuntimeAllocator<U>& /*other*/) noexcept {}

  [[nodiscard]] T* allocate(std::size_t n) {
    constexpr std::size_t kMaxBytes = std::numeric_limits<std::size_t>::max();
    // Checked before asking: a wrapped size would hand out a block far smaller
    // than the caller is about to write into (and the aligned operator new
    // rounds a size near the top of size_t up to a tiny one).
    if (n > kMaxBytes / sizeof(T)) RaiseOutOfMemory(kMaxBytes);
    const std::size_t bytes = n * sizeof(T);
    void* p = nullptr;
    if constexpr (kOverAligned) {
      p = ::operator new (bytes, std::align_val_t{alignof(T)}, std::nothrow);
    } else {
      p = ::operator new(bytes, std::nothrow);
    }
    if (p == nullptr) RaiseOutOfMemory(bytes);
    return static_cast<T*>(p);
  }

  void deallocate(T* p, std::size_t /*n*/) noexcept {
    if constexpr (kOverAligned) {
      ::operator delete (p, std::align_val_t{alignof(T)});
    } else {
      ::operator delete(p);
    }
  }

  template <class U>
  bool operator==(const RuntimeAllocator<U>& /*other*/) const noexcept {
    return true;
  }

 private:
  // Ordinary types take the ordinary operator new; the aligned form only where
  // the type needs more than it guarantees.
  static constexpr bool kOverAligned = alignof(T) > __STDCPP_DEFAULT_NEW_ALIGNMENT__;
};

}  // namespace qingyou
