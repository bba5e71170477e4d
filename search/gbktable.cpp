#include "search/gbktable.h"

#include <iconv.h>

#include <cstddef>
#include <memory>

#include "text/iconvhandle.h"

namespace qingyou {

namespace {

using Table = std::array<std::uint16_t, 0x10000>;

std::unique_ptr<Table> BuildTable() {
  auto table = std::make_unique<Table>();
  table->fill(0);
  // ASCII is the same in GBK; setting it here keeps plain text intact even on
  // a system without the GBK converter.
  for (std::uint16_t c = 1; c < 0x80; ++c) (*table)[c] = c;
  IconvHandle converter("GBK", "UTF-16LE");
  if (!converter.valid()) return table;
  for (std::uint32_t c = 0x80; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    char unit[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    char gbk[4] = {};
    char* in = unit;
    std::size_t inLeft = sizeof unit;
    char* out = gbk;
    std::size_t outLeft = sizeof gbk;
    const std::size_t rc = iconv(converter.get(), &in, &inLeft, &out, &outLeft);
    const std::size_t written = sizeof gbk - outLeft;
    if (rc == static_cast<std::size_t>(-1)) {
      // Back to the initial state before the next code point.
      iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
      continue;
    }
    // rc > 0 would mean a substitute was written instead of a real form.
    if (rc != 0) continue;
    const auto lead = static_cast<unsigned char>(gbk[0]);
    const auto trail = static_cast<unsigned char>(gbk[1]);
    if (written == 1 && lead != 0) {
      (*table)[c] = lead;
    } else if (written == 2 && lead >= 0x80) {
      (*table)[c] = static_cast<std::uint16_t>(lead << 8 | trail);
    }
  }
  return table;
}

}  // namespace

const Table& Utf16ToGbkTable() {
  static const std::unique_ptr<Table> table = BuildTable();
  return *table;
}

}  // namespace qingyou
