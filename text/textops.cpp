#include "text/textops.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace qingyou {

namespace {

constexpr unsigned char kLeadByte = 0x80;

unsigned char FoldAscii(unsigned char c) noexcept {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

bool EqualAt(const char* p, std::string_view sought, bool caseInsensitive) noexcept {
  if (!caseInsensitive) return std::memcmp(p, sought.data(), sought.size()) == 0;
  for (std::size_t i = 0; i < sought.size(); ++i) {
    if (FoldAscii(static_cast<unsigned char>(p[i])) !=
        FoldAscii(static_cast<unsigned char>(sought[i]))) {
      return false;
    }
  }
  return true;
}

// Offset of the first `sought` at a character start in text[from..], stepping
// two-byte characters as units; npos when absent. `sought` is not empty.
std::size_t FindFrom(std::string_view text, std::size_t from, std::string_view sought,
                     bool caseInsensitive) noexcept {
  const std::size_t len = text.size();
  std::size_t p = from;
  while (len - p >= sought.size()) {
    if (EqualAt(text.data() + p, sought, caseInsensitive)) return p;
    if (static_cast<unsigned char>(text[p]) >= kLeadByte) {
      if (p + 1 == len) return std::string_view::npos;
      p += 2;
    } else {
      p += 1;
    }
  }
  return std::string_view::npos;
}

}  // namespace

int TextLength(const Text& text) noexcept { return static_cast<int>(text.size()); }

int TextCompare(const Text& a, const Text& b) noexcept {
  // std::string_view compares char as char_traits<char>, which is unsigned
  // (memcmp), as wanted.
  const int c = a.view().compare(b.view());
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

Text TextLeft(const Text& text, int count) {
  if (count <= 0) return {};
  return Text::FromBytes(text.view().substr(0, static_cast<std::size_t>(count)));
}

Text TextMid(const Text& text, int start, int count) {
  const long long pos = static_cast<long long>(start) - 1;
  const auto len = static_cast<long long>(text.size());
  if (pos < 0 || pos >= len || count <= 0) return {};
  return Text::FromBytes(
      text.view().substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(count)));
}

int TextFind(const Text& text, const Text& sought, std::optional<int> start,
             bool caseInsensitive) noexcept {
  const std::size_t len = text.size();
  const std::size_t b = start ? static_cast<std::size_t>(std::max(*start - 1, 0)) : 0;
  if (b >= len) return -1;
  if (sought.empty()) return 1;
  const std::size_t at = FindFrom(text.view(), b, sought.view(), caseInsensitive);
  return at == std::string_view::npos ? -1 : static_cast<int>(at + 1);
}

TextArray TextSplit(const Text& text, std::optional<Text> separator, std::optional<int> maxCount) {
  const Text sep = separator ? std::move(*separator) : Text(",");
  std::optional<int> remaining;
  if (maxCount) remaining = std::max(*maxCount, 0);

  TextArray pieces;
  if (text.empty() || remaining == 0) return pieces;
  if (sep.empty()) {
    Append(pieces, text);
    return pieces;
  }

  const std::string_view t = text.view();
  const std::string_view s = sep.view();
  const std::size_t len = t.size();
  std::size_t segment = 0;
  std::size_t p = 0;
  while (len - p >= s.size()) {
    if (std::memcmp(t.data() + p, s.data(), s.size()) == 0) {
      Append(pieces, Text::FromBytes(t.substr(segment, p - segment)));
      p += s.size();
      segment = p;
      if (remaining && --*remaining == 0) return pieces;
      continue;
    }
    if (static_cast<unsigned char>(t[p]) >= kLeadByte) {
      if (p + 1 == len) break;
      p += 2;
    } else {
      p += 1;
    }
  }
  if (segment < len) Append(pieces, Text::FromBytes(t.substr(segment)));
  return pieces;
}

int TextToInt(const Text& text) noexcept {
  // Fold full-width forms while scanning; only the folded leading part matters,
  // so the fold and the parse run together over one pass.
  const std::string_view t = text.view();
  std::size_t i = 0;
  auto next = [&](char& out) -> bool {
    while (i < t.size()) {
      const auto c = static_cast<unsigned char>(t[i]);
      if (c < kLeadByte) {
        out = static_cast<char>(c);
        i += 1;
        return true;
      }
      if (i + 1 == t.size()) {  // a lead byte in the last position is dropped
        i += 1;
        return false;
      }
      const auto d = static_cast<unsigned char>(t[i + 1]);
      i += 2;
      if (c == 0xA1 && d == 0xA1) {
        out = ' ';
      } else if (c == 0xA1 && d == 0xAB) {
        out = '~';
      } else if (c == 0xA1 && (d == 0xEE || d == 0xEF)) {
        out = '*';
      } else if (c == 0xA3 && d >= 0xA1 && d <= 0xFE) {
        out = static_cast<char>(d - 0x80);
      } else {
        out = '\x80';  // a two-byte character that folds to nothing ASCII
      }
      return true;
    }
    return false;
  };

  char c = 0;
  bool have = next(c);
  while (have && (c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r')) {
    have = next(c);
  }
  bool negative = false;
  if (have && (c == '-' || c == '+')) {
    negative = c == '-';
    have = next(c);
  }
  std::uint32_t value = 0;
  while (have && c >= '0' && c <= '9') {
    value = value * 10u + static_cast<std::uint32_t>(c - '0');
    have = next(c);
  }
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

Text IntToText(int value) {
  char buffer[16];
  const auto magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value)
                                   : static_cast<std::uint32_t>(value);
  std::size_t at = sizeof buffer;
  std::uint32_t rest = magnitude;
  do {
    buffer[--at] = static_cast<char>('0' + rest % 10u);
    rest /= 10u;
  } while (rest != 0);
  if (value < 0) buffer[--at] = '-';
  return Text::FromBytes(std::string_view(buffer + at, sizeof buffer - at));
}

Text IntToHexText(int value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  char buffer[8];
  std::size_t at = sizeof buffer;
  auto rest = static_cast<std::uint32_t>(value);
  do {
    buffer[--at] = kDigits[rest & 0xFu];
    rest >>= 4;
  } while (rest != 0);
  return Text::FromBytes(std::string_view(buffer + at, sizeof buffer - at));
}

ByteString TextToBytes(const Text& text) { return ByteString::FromBytes(text.view()); }

Text BlankText(int count) {
  if (count <= 0) return {};
  TextBuilder builder;
  builder.Reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) builder.Append(' ');
  return builder.Take();
}

}  // namespace qingyou
