#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>

#include "text/codepage.h"
#include "text/text.h"

namespace qingyou {

// Bytes outside printable ASCII as \xNN, so that a failed comparison of GBK
// bytes shows which byte differs.
inline std::string Escaped(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7F && u != '\\' && u != '"') {
      out += c;
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", u);
      out += hex;
    }
  }
  return out;
}

inline void PrintTo(const Text& text, std::ostream* os) {
  *os << '"' << Escaped(text.view()) << '"';
}

inline void PrintTo(const ByteString& bytes, std::ostream* os) {
  *os << "bytes\"" << Escaped(bytes.view()) << '"';
}

// The GBK form of a UTF-8 literal. A literal without one is a broken test.
inline Text Gbk(std::string_view utf8) {
  Text gbk = Utf8ToGbk(utf8);
  if (gbk.empty() && !utf8.empty()) ADD_FAILURE() << "no GBK form for \"" << utf8 << '"';
  return gbk;
}

inline ByteString Bytes(std::string_view bytes) {
  return ByteString::FromBytes(bytes);
}

}  // namespace qingyou
