#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qingyou::site {

// Decodes a query value. The program escapes every byte as "%" and its value in
// upper-case hex without leading zeros, so a byte below 0x10 arrives as one
// digit ("%9" is a tab). Rule:
//   "%" + two hex digits      -> that byte (either case);
//   "%" + one hex digit not followed by a hex digit -> that byte (short form);
//   "%" followed by no hex digit (or at the end) -> malformed, nullopt;
//   "+" -> space (browsers' form encoding); any other byte stands for itself.
// "%9" followed by a hex digit character reads as a two-digit escape: the
// program never writes that sequence, because the character after an escape is
// itself escaped and so always starts with "%".
[[nodiscard]] std::optional<std::string> PercentDecode(std::string_view raw);

// True when `bytes` is well-formed UTF-8: no stray continuation bytes, no
// truncated sequences, no overlong forms, no surrogates, nothing above U+10FFFF.
[[nodiscard]] bool IsValidUtf8(std::string_view bytes);

// The raw (still escaped) value of the first `name` parameter in a query string
// such as "key=%E4&kind=1"; nullopt when the parameter is absent. A parameter
// without "=" has the empty value.
[[nodiscard]] std::optional<std::string_view> RawQueryValue(std::string_view query,
                                                            std::string_view name);

// The search key of a query: the decoded "key" value, or nullopt when it is
// malformed (bad escape or invalid UTF-8). An absent key is the empty key.
[[nodiscard]] std::optional<std::string> SearchKey(std::string_view query);

}  // namespace qingyou::site
