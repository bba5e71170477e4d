#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qingyou {

// A URL split for fetching. Nothing in it is escaped or unescaped.
struct FetchUrl {
  std::string scheme;    // "http" or "https", lower case
  std::string userInfo;  // "user" or "user:password" as written; empty when absent
  std::string host;      // as written, an IPv6 address with its brackets
  std::string port;      // decimal digits; empty for the scheme's default
  std::string target;    // path with dot segments resolved, then the query; starts with "/"

  // scheme://[userInfo@]host[:port]target
  [[nodiscard]] std::string ToString() const;
};

inline constexpr std::size_t kMaxHostLength = 255;
inline constexpr std::size_t kMaxTargetLength = 2047;
inline constexpr std::size_t kMaxUserLength = 127;
inline constexpr std::size_t kMaxPasswordLength = 127;

// Splits `url` taken literally; the fragment is dropped and "." and ".."
// segments of the path are resolved (never those of the query). Empty when the
// URL cannot be split (no "scheme://", no host, a bad port, more than one "@",
// a space, control byte or byte above 0x7E anywhere), when the scheme is not http or https, or
// when the host, the target, the user name or the password is longer than its
// limit above (the target counted after resolving dot segments).
[[nodiscard]] std::optional<FetchUrl> SplitFetchUrl(std::string_view url);

// RFC 3986 dot-segment removal on a path that starts with "/" (or is empty).
[[nodiscard]] std::string RemoveDotSegments(std::string_view path);

}  // namespace qingyou
