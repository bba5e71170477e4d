#pragma once

#include <iconv.h>

#include <string>
#include <utility>

namespace qingyou {

// Owns one iconv converter. Open() fails with an invalid handle rather than
// (iconv_t)-1 leaking out.
class IconvHandle {
 public:
  IconvHandle() noexcept = default;
  IconvHandle(const char* to, const char* from) noexcept : cd_(iconv_open(to, from)) {}
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
  IconvHandle(IconvHandle&& other) noexcept : cd_(std::exchange(other.cd_, Invalid())) {}
  IconvHandle& operator=(IconvHandle&& other) noexcept {
    if (this != &other) {
      Close();
      cd_ = std::exchange(other.cd_, Invalid());
    }
    return *this;
  }
  ~IconvHandle() { Close(); }

  [[nodiscard]] bool valid() const noexcept { return cd_ != Invalid(); }
  [[nodiscard]] iconv_t get() const noexcept { return cd_; }

 private:
  static iconv_t Invalid() noexcept { return reinterpret_cast<iconv_t>(-1); }
  void Close() noexcept {
    if (valid()) iconv_close(cd_);
    cd_ = Invalid();
  }
  iconv_t cd_ = Invalid();
};

}  // namespace qingyou
