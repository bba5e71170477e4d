#include "text/bytesops.h"

#include <algorithm>
#include <cstdint>

namespace qingyou {

int BytesLength(const ByteString& bytes) noexcept {
  return static_cast<int>(bytes.size());
}

ByteString BytesRight(const ByteString& bytes, int count) {
  const auto n = static_cast<std::size_t>(std::clamp(count, 0, BytesLength(bytes)));
  return ByteString::FromBytes(bytes.view().substr(bytes.size() - n));
}

ByteString BlankBytes(int count) {
  ByteString result;
  if (count <= 0) return result;
  result.Resize(static_cast<std::size_t>(count));
  return result;
}

int BytesReadInt(const ByteString& bytes) noexcept {
  std::uint32_t value = 0;
  const std::size_t n = std::min<std::size_t>(bytes.size(), 4);
  for (std::size_t i = 0; i < n; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.view()[i])) << (8 * i);
  }
  return static_cast<int>(value);
}

}  // namespace qingyou
