#pragma once

#include <cstddef>
#include <new>

namespace qingyou {

// Ends the program with run-time error 0 ("分配 %d 字节内存失败!") for `bytes`.
[[noreturn]] void RaiseOutOfMemory(std::size_t bytes) noexcept;

// Allocator of the run-time's values: memory that cannot be had is a fatal
// run-time error naming the number of bytes asked for, never an exception.
template <class T>
struct RuntimeAllocator {
  using value_type = T;

  RuntimeAllocator() noexcept = default;
  template <class U>
  RuntimeAllocator(const RuntimeAllocator<U>& /*other*/) noexcept {}

  [[nodiscard]] T* allocate(std::size_t n) {
    const std::size_t bytes =
        n > static_cast<std::size_t>(-1) / sizeof(T) ? static_cast<std::size_t>(-1) : n * sizeof(T);
    void* p = ::operator new(bytes, std::align_val_t{alignof(T)}, std::nothrow);
    if (p == nullptr) RaiseOutOfMemory(bytes);
    return static_cast<T*>(p);
  }

  void deallocate(T* p, std::size_t /*n*/) noexcept {
    ::operator delete(p, std::align_val_t{alignof(T)});
  }

  template <class U>
  bool operator==(const RuntimeAllocator<U>& /*other*/) const noexcept {
    return true;
  }
};

}  // namespace qingyou
