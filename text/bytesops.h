#pragma once

#include "text/text.h"

namespace qingyou {

[[nodiscard]] int BytesLength(const ByteString& bytes) noexcept;

// All operands in order.
template <class... Rest>
[[nodiscard]] ByteString BytesConcat(const ByteString& first, const Rest&... rest) {
  ByteString result;
  result.Reserve((first.size() + ... + rest.size()));
  result.Append(first.view());
  (result.Append(rest.view()), ...);
  return result;
}

// The last `count` bytes, count clipped to 0 .. length.
[[nodiscard]] ByteString BytesRight(const ByteString& bytes, int count);

// `count` bytes of value 0; empty for count <= 0.
[[nodiscard]] ByteString BlankBytes(int count);

// The first four bytes as a little-endian signed 32-bit integer; missing
// high-order bytes count as 0, so the empty string gives 0.
[[nodiscard]] int BytesReadInt(const ByteString& bytes) noexcept;

}  // namespace qingyou
