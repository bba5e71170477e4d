#pragma once

// Character-by-character transcriptions of the search and split rules, slow
// and plain on purpose, to check the memchr-driven scans against.

#include <optional>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace qingyou::reference {

inline bool Lead(std::string_view t, std::size_t p) {
  return static_cast<unsigned char>(t[p]) >= 0x80;
}

inline unsigned char Fold(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + 32) : u;
}

inline int TextFind(std::string_view text, std::string_view sought, std::optional<int> start,
                    bool caseInsensitive) {
  const long long len = static_cast<long long>(text.size());
  long long b = 0;
  if (start) b = static_cast<long long>(*start) - 1 < 0 ? 0 : static_cast<long long>(*start) - 1;
  if (b >= len) return -1;
  if (sought.empty()) return 1;
  auto p = static_cast<std::size_t>(b);
  std::size_t r = text.size() - p;
  while (r >= sought.size()) {
    bool equal = true;
    for (std::size_t i = 0; i < sought.size() && equal; ++i) {
      equal = caseInsensitive ? Fold(text[p + i]) == Fold(sought[i]) : text[p + i] == sought[i];
    }
    if (equal) return static_cast<int>(p + 1);
    if (Lead(text, p)) {
      if (p + 1 == text.size()) return -1;
      p += 2;
      r -= 2;
    } else {
      p += 1;
      r -= 1;
    }
  }
  return -1;
}

inline std::vector<std::string_view> TextSplit(std::string_view text, std::string_view separator,
                                               std::optional<int> maxCount) {
  std::vector<std::string_view> pieces;
  if (maxCount && *maxCount < 0) maxCount = 0;
  if (text.empty() || maxCount == 0) return pieces;
  if (separator.empty()) return {text};
  std::size_t s = 0;
  std::size_t p = 0;
  while (text.size() - p >= separator.size()) {
    if (text.substr(p, separator.size()) == separator) {
      pieces.push_back(text.substr(s, p - s));
      p += separator.size();
      s = p;
      if (maxCount && --*maxCount == 0) return pieces;
      continue;
    }
    if (Lead(text, p)) {
      if (p + 1 == text.size()) break;
      p += 2;
    } else {
      p += 1;
    }
  }
  if (s < text.size()) pieces.push_back(text.substr(s));
  return pieces;
}

}  // namespace qingyou::reference
