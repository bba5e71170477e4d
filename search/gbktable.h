#pragma once

#include <array>
#include <cstdint>

namespace qingyou {

// GBK form of every BMP code point, indexed by the code point: 0 when GBK has
// no form for it (the surrogates and U+0000 included), a value below 0x100 for
// a one-byte form, otherwise lead byte << 8 | trail byte. Built once, at the
// first call, from the C library's converter so that it agrees with every other
// GBK conversion in the program.
[[nodiscard]] const std::array<std::uint16_t, 0x10000>& Utf16ToGbkTable();

}  // namespace qingyou
