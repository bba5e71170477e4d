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

bool EqualBytes(const char* p, const char* q, std::size_t n, bool caseInsensitive) noexcept {
  if (!caseInsensitive) return std::memcmp(p, q, n) == 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (FoldAscii(static_cast<unsigned char>(p[i])) !=
        FoldAscii(static_cast<unsigned char>(q[i]))) {
      return false;
    }
  }
  return true;
}

// Says whether a byte offset begins a character, counting characters from a
// fixed range start, for scans that jump ahead with memchr instead of stepping
// through every character. Offsets asked about must not decrease.
class CharacterStarts {
 public:
  CharacterStarts(std::string_view text, std::size_t rangeStart) noexcept
      : text_(text), known_(rangeStart) {}

  // Whether `at` (not before the last offset asked about) begins a character.
  [[nodiscard]] bool Begins(std::size_t at) noexcept {
    // A byte below 0x80 always ends a character, alone or as the second byte
    // of a pair, so a character begins right after it. From there to `at` only
    // lead bytes stand, and they pair up: `at` begins one when their number is
    // even. The walk back stops at `known_`, so no byte is walked twice.
    std::size_t from = at;
    while (from > known_ && static_cast<unsigned char>(text_[from - 1]) >= kLeadByte) --from;
    const bool begins = (at - from) % 2 == 0;
    known_ = begins ? at : at + 1;
    return begins;
  }

  // `at` begins a character, whatever came before (the scan restarts there).
  void RestartAt(std::size_t at) noexcept { known_ = at; }

 private:
  std::string_view text_;
  std::size_t known_;  // a character begins here
};

// Finds the offsets of one byte, or of either case of an ASCII letter, in
// order, with memchr doing the walking.
class ByteScanner {
 public:
  ByteScanner(std::string_view text, unsigned char byte, bool eitherCase) noexcept
      : text_(text), a_(static_cast<char>(byte)), b_(a_) {
    const unsigned char lower = FoldAscii(byte);
    if (eitherCase && lower >= 'a' && lower <= 'z') {
      a_ = static_cast<char>(lower);
      b_ = static_cast<char>(lower - ('a' - 'A'));
    }
  }

  // First offset in [from, end) holding the byte; `end` when there is none.
  // Calls must not go backwards.
  [[nodiscard]] std::size_t Next(std::size_t from, std::size_t end) noexcept {
    if (from >= end) return end;
    if (a_ == b_) return Find(a_, from, end);
    if (!primed_ || nextA_ < from) nextA_ = Find(a_, from, end);
    if (!primed_ || nextB_ < from) nextB_ = Find(b_, from, end);
    primed_ = true;
    return std::min(nextA_, nextB_);
  }

 private:
  [[nodiscard]] std::size_t Find(char byte, std::size_t from, std::size_t end) const noexcept {
    const void* hit = std::memchr(text_.data() + from, byte, end - from);
    return hit == nullptr ? end
                          : static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data());
  }

  std::string_view text_;
  char a_;
  char b_;
  // Next offset of each case, reused while the scan has not passed it.
  std::size_t nextA_ = 0;
  std::size_t nextB_ = 0;
  bool primed_ = false;
};

// Offset of the first `sought` at a character start in text[from..], stepping
// two-byte characters as units; npos when absent. `sought` is not empty and
// `from` lies inside the text.
std::size_t FindFrom(std::string_view text, std::size_t from, std::string_view sought,
                     bool caseInsensitive) noexcept {
  const std::size_t len = text.size();
  if (len - from < sought.size()) return std::string_view::npos;
  // Candidates are offsets [from, end) whose rest is long enough to hold `sought`.
  const std::size_t end = len - sought.size() + 1;
  ByteScanner firstByte(text, static_cast<unsigned char>(sought[0]), caseInsensitive);
  CharacterStarts chars(text, from);
  for (std::size_t at = firstByte.Next(from, end); at < end; at = firstByte.Next(at + 1, end)) {
    if (chars.Begins(at) &&
        EqualBytes(text.data() + at + 1, sought.data() + 1, sought.size() - 1, caseInsensitive)) {
      return at;
    }
  }
  return std::string_view::npos;
}

}  // namespace

int TextLength(const Text& text) noexcept {
  return static_cast<int>(text.size());
}

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
  // Taken apart before subtracting: start - 1 would overflow for INT_MIN.
  const std::size_t b = (start && *start > 1) ? static_cast<std::size_t>(*start - 1) : 0;
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
  if (len >= s.size()) {
    // Candidates are offsets [0, end) whose rest is long enough for a separator.
    const std::size_t end = len - s.size() + 1;
    ByteScanner firstByte(t, static_cast<unsigned char>(s[0]), false);
    CharacterStarts chars(t, 0);
    std::size_t at = firstByte.Next(0, end);
    while (at < end) {
      if (chars.Begins(at) && std::memcmp(t.data() + at + 1, s.data() + 1, s.size() - 1) == 0) {
        Append(pieces, Text::FromBytes(t.substr(segment, at - segment)));
        segment = at + s.size();
        if (remaining && --*remaining == 0) return pieces;
        chars.RestartAt(segment);
        at = firstByte.Next(segment, end);
      } else {
        at = firstByte.Next(at + 1, end);
      }
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
  const auto magnitude =
      value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
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

ByteString TextToBytes(const Text& text) {
  return ByteString::FromBytes(text.view());
}

Text BlankText(int count) {
  if (count <= 0) return {};
  TextBuilder builder;
  builder.Reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) builder.Append(' ');
  return builder.Take();
}

}  // namespace qingyou
