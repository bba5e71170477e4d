#include "site/keydecode.h"

#include <cstdint>

namespace qingyou::site {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::optional<std::string> PercentDecode(std::string_view raw) {
  std::string out;
  out.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (c == '+') {
      out += ' ';
    } else if (c != '%') {
      out += c;
    } else {
      const int high = i + 1 < raw.size() ? HexValue(raw[i + 1]) : -1;
      if (high < 0) return std::nullopt;
      const int low = i + 2 < raw.size() ? HexValue(raw[i + 2]) : -1;
      if (low < 0) {
        out += static_cast<char>(high);
        i += 1;
      } else {
        out += static_cast<char>(high * 16 + low);
        i += 2;
      }
    }
  }
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    // Sequence length, the bits the lead byte carries, and the smallest code
    // point that needs this length (anything below is an overlong form).
    std::size_t length = 0;
    std::uint32_t cp = 0;
    std::uint32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
      length = 2;
      cp = lead & 0x1Fu;
      minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      cp = lead & 0x0Fu;
      minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      cp = lead & 0x07u;
      minimum = 0x10000;
    } else {
      return false;  // a continuation byte without a lead, or 0xF8..0xFF
    }
    if (i + length > bytes.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto cont = static_cast<unsigned char>(bytes[i + k]);
      if ((cont & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cont & 0x3Fu);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

std::optional<std::string_view> RawQueryValue(std::string_view query, std::string_view name) {
  while (true) {
    const std::size_t amp = query.find('&');
    const std::string_view pair = query.substr(0, amp);
    const std::size_t eq = pair.find('=');
    if (pair.substr(0, eq) == name) {
      return eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1);
    }
    if (amp == std::string_view::npos) return std::nullopt;
    query.remove_prefix(amp + 1);
  }
}

std::optional<std::string> SearchKey(std::string_view query) {
  const std::optional<std::string_view> raw = RawQueryValue(query, "key");
  if (!raw) return std::string();
  std::optional<std::string> key = PercentDecode(*raw);
  if (!key || !IsValidUtf8(*key)) return std::nullopt;
  return key;
}

}  // namespace qingyou::site
