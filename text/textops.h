#pragma once

#include <optional>

#include "text/text.h"

namespace qingyou {

// Lengths are byte counts; positions are 1-based byte positions. Searching and
// splitting step over two-byte characters (a byte >= 0x80 and the one after
// it) as units; cutting counts bytes and may split a character.

[[nodiscard]] int TextLength(const Text& text) noexcept;

namespace detail {
inline std::string_view ConcatPiece(const Text& text) noexcept {
  return text.view();
}
inline std::string_view ConcatPiece(const char* literal) noexcept {
  return literal != nullptr ? std::string_view(literal) : std::string_view();
}
}  // namespace detail

// All operands in order; empty operands add nothing.
template <class... Rest>
[[nodiscard]] Text TextConcat(const Text& first, const Rest&... rest) {
  TextBuilder builder;
  builder.Reserve((first.size() + ... + detail::ConcatPiece(rest).size()));
  builder.Append(first);
  (builder.Append(detail::ConcatPiece(rest)), ...);
  return builder.Take();
}

// Unsigned byte-wise comparison: -1, 0 or 1; a proper beginning sorts first.
[[nodiscard]] int TextCompare(const Text& a, const Text& b) noexcept;

// The first min(count, length) bytes; empty for count <= 0.
[[nodiscard]] Text TextLeft(const Text& text, int count);

// `count` bytes from position `start`, no more than remain. Empty when start
// < 1 (never moved to 1), start > length, or count <= 0.
[[nodiscard]] Text TextMid(const Text& text, int start, int count);

// 1-based position of the first `sought` in the range starting at
// max(start, 1), trying matches only where characters begin (counted from the
// range's start); -1 when absent or when the range is empty. An empty
// `sought` gives 1 (not `start`) for a non-empty range. `caseInsensitive`
// folds ASCII letters only.
[[nodiscard]] int TextFind(const Text& text, const Text& sought, std::optional<int> start = {},
                           bool caseInsensitive = false) noexcept;

// Pieces between exact `separator`s (default ","; an explicitly empty one
// gives the whole text). An empty first piece is kept, an empty last one
// dropped; the empty text gives no element. With `maxCount` n (below 0 counts
// as 0) the split stops once n pieces have been ended by separators.
[[nodiscard]] TextArray TextSplit(const Text& text, std::optional<Text> separator = {},
                                  std::optional<int> maxCount = {});

// Full-width forms folded to ASCII, leading white space skipped, one sign,
// decimal digits in wrapping 32-bit arithmetic; 0 without digits.
[[nodiscard]] int TextToInt(const Text& text) noexcept;

// Decimal, "-" before negatives, no leading zeros.
[[nodiscard]] Text IntToText(int value);

// The value read as unsigned 32 bits, upper-case hexadecimal without leading
// zeros or prefix: 0 gives "0", 255 "FF", -1 "FFFFFFFF".
[[nodiscard]] Text IntToHexText(int value);

// The text's bytes, without a terminating NUL.
[[nodiscard]] ByteString TextToBytes(const Text& text);

// `count` spaces; empty for count <= 0.
[[nodiscard]] Text BlankText(int count);

}  // namespace qingyou
