#include "search/decodeutf8page.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "search/gbktable.h"

namespace qingyou {

namespace {

// Stands for every character GBK cannot hold, U+FFFD included.
constexpr char kDefaultChar = '?';

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

bool IsTrail(unsigned char byte) noexcept {
  return (byte & 0xC0) == 0x80;
}

// An uninitialised buffer from the run-time's allocator, so that running out
// of memory is the run-time's fatal error like everywhere else.
class OutputBuffer {
 public:
  explicit OutputBuffer(std::size_t size)
      : size_(size), data_(RuntimeAllocator<char>().allocate(size)) {}
  OutputBuffer(const OutputBuffer&) = delete;
  OutputBuffer& operator=(const OutputBuffer&) = delete;
  ~OutputBuffer() { RuntimeAllocator<char>().deallocate(data_, size_); }
  [[nodiscard]] char* data() const noexcept { return data_; }

 private:
  std::size_t size_;
  char* data_;
};

// Writes the GBK form of `codePoint`, or the default character; returns the
// new end of the output.
char* PutCodePoint(char* out, std::uint32_t codePoint,
                   const std::array<std::uint16_t, 0x10000>& table) noexcept {
  const std::uint16_t gbk = table[codePoint];
  if (gbk == 0) {
    *out++ = kDefaultChar;
  } else if (gbk < 0x100) {
    *out++ = static_cast<char>(gbk);
  } else {
    *out++ = static_cast<char>(gbk >> 8);
    *out++ = static_cast<char>(gbk & 0xFF);
  }
  return out;
}

// Decodes `utf8` (which holds no NUL) into `out`, which has room for
// utf8.size() bytes: no character's GBK form, nor the "?" that replaces an
// ill-formed sequence, is longer than its UTF-8 bytes. Returns the new end.
char* DecodeInto(std::string_view utf8, char* out) noexcept {
  const auto& table = Utf16ToGbkTable();
  const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* const end = s + utf8.size();
  while (s < end) {
    // Result pages are mostly ASCII markup: move it 16, then 8 bytes at a time.
    while (end - s >= 16) {
      std::uint64_t first;
      std::uint64_t second;
      std::memcpy(&first, s, sizeof first);
      std::memcpy(&second, s + 8, sizeof second);
      if (((first | second) & kHighBits) != 0) break;
      std::memcpy(out, s, 16);
      s += 16;
      out += 16;
    }
    while (end - s >= 8) {
      std::uint64_t word;
      std::memcpy(&word, s, sizeof word);
      if ((word & kHighBits) != 0) break;
      std::memcpy(out, &word, sizeof word);
      s += 8;
      out += 8;
    }
    // Runs of Chinese: three-byte characters whose lead byte (E1-EC, EE, EF)
    // accepts any trail bytes, whose GBK form has two bytes.
    while (end - s >= 3) {
      const unsigned char lead = s[0];
      if (lead < 0xE1 || lead > 0xEF || lead == 0xED || !IsTrail(s[1]) || !IsTrail(s[2])) break;
      const std::uint16_t gbk = table[static_cast<std::uint32_t>(
          (lead & 0x0F) << 12 | (s[1] & 0x3F) << 6 | (s[2] & 0x3F))];
      if (gbk < 0x100) break;
      out[0] = static_cast<char>(gbk >> 8);
      out[1] = static_cast<char>(gbk & 0xFF);
      s += 3;
      out += 2;
    }
    if (s == end) break;
    const unsigned char lead = *s;
    if (lead < 0x80) {
      *out++ = static_cast<char>(lead);
      ++s;
      continue;
    }
    // Ill-formed input gives one "?" per maximal subpart: the lead byte and as
    // many following bytes as could still begin a well-formed sequence. The
    // byte that breaks the sequence is read again as the start of the next.
    const std::ptrdiff_t left = end - s;
    if (lead >= 0xC2 && lead <= 0xDF) {
      if (left >= 2 && IsTrail(s[1])) {
        out = PutCodePoint(out, static_cast<std::uint32_t>((lead & 0x1F) << 6 | (s[1] & 0x3F)),
                           table);
        s += 2;
      } else {
        *out++ = kDefaultChar;
        s += 1;
      }
      continue;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
      // E0 would be overlong below A0; ED above 9F would be a surrogate.
      const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
      const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
      if (left < 2 || s[1] < low || s[1] > high) {
        *out++ = kDefaultChar;
        s += 1;
      } else if (left < 3 || !IsTrail(s[2])) {
        *out++ = kDefaultChar;
        s += 2;
      } else {
        out = PutCodePoint(
            out,
            static_cast<std::uint32_t>((lead & 0x0F) << 12 | (s[1] & 0x3F) << 6 | (s[2] & 0x3F)),
            table);
        s += 3;
      }
      continue;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
      // F0 would be overlong below 90; F4 above 8F would pass U+10FFFF.
      const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
      const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
      if (left < 2 || s[1] < low || s[1] > high) {
        s += 1;
      } else if (left < 3 || !IsTrail(s[2])) {
        s += 2;
      } else if (left < 4 || !IsTrail(s[3])) {
        s += 3;
      } else {
        // A character beyond the BMP has no GBK form; as one character (a
        // surrogate pair in UTF-16) it becomes one "?".
        s += 4;
      }
      *out++ = kDefaultChar;
      continue;
    }
    // 80-BF without a lead, the overlong leads C0 and C1, and F5-FF.
    *out++ = kDefaultChar;
    ++s;
  }
  return out;
}

}  // namespace

Text DecodeUtf8Page(const ByteString& page) {
  // The text ends at the first NUL, and a 0x00 byte is never part of a
  // multi-byte sequence, so whatever follows it cannot change the result.
  std::string_view utf8 = page.view();
  if (const void* nul = std::memchr(utf8.data(), 0, utf8.size()); nul != nullptr) {
    utf8 = utf8.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - utf8.data()));
  }
  if (utf8.empty()) return {};
  OutputBuffer buffer(utf8.size());
  const char* const end = DecodeInto(utf8, buffer.data());
  return Text::FromBytes(
      std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.data())));
}

}  // namespace qingyou
