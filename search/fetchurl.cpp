#include "search/fetchurl.h"

#include <algorithm>
#include <cstddef>

namespace qingyou {

namespace {

bool StartsWith(std::string_view s, std::string_view prefix) noexcept {
  return s.substr(0, prefix.size()) == prefix;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) noexcept {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

// Bytes that cannot go out as written: a request line cannot carry spaces or
// control bytes, and libcurl percent-encodes bytes above 0x7F on its own.
// Escaping any of them here would send a different URL behind the caller's
// back, so such a URL is not fetched at all.
bool HasUnsendableByte(std::string_view url) noexcept {
  return std::any_of(url.begin(), url.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte >= 0x7F;
  });
}

bool IsValidPort(std::string_view port) noexcept {
  if (port.empty() || port.size() > 5) return false;
  long value = 0;
  for (const char c : port) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value >= 1 && value <= 65535;
}

}  // namespace

std::string FetchUrl::ToString() const {
  std::string url = scheme;
  url += "://";
  if (!userInfo.empty()) {
    url += userInfo;
    url += '@';
  }
  url += host;
  if (!port.empty()) {
    url += ':';
    url += port;
  }
  url += target;
  return url;
}

std::string RemoveDotSegments(std::string_view path) {
  std::string out;
  out.reserve(path.size());
  const auto dropLastSegment = [&out] {
    const auto slash = out.rfind('/');
    out.erase(slash == std::string::npos ? 0 : slash);
  };
  while (!path.empty()) {
    if (StartsWith(path, "../")) {
      path.remove_prefix(3);
    } else if (StartsWith(path, "./")) {
      path.remove_prefix(2);
    } else if (StartsWith(path, "/./")) {
      path.remove_prefix(2);
    } else if (path == "/.") {
      path = "/";
    } else if (StartsWith(path, "/../")) {
      path.remove_prefix(3);
      dropLastSegment();
    } else if (path == "/..") {
      path = "/";
      dropLastSegment();
    } else if (path == "." || path == "..") {
      path = {};
    } else {
      const auto next = path.find('/', 1);
      const auto segment = path.substr(0, next);
      out += segment;
      path.remove_prefix(segment.size());
    }
  }
  return out;
}

std::optional<FetchUrl> SplitFetchUrl(std::string_view url) {
  if (url.empty() || HasUnsendableByte(url)) return std::nullopt;

  const auto colon = url.find("://");
  if (colon == std::string_view::npos) return std::nullopt;
  FetchUrl parts;
  const std::string_view scheme = url.substr(0, colon);
  if (EqualsIgnoringCase(scheme, "http")) {
    parts.scheme = "http";
  } else if (EqualsIgnoringCase(scheme, "https")) {
    parts.scheme = "https";
  } else {
    return std::nullopt;
  }
  std::string_view rest = url.substr(colon + 3);

  if (const auto hash = rest.find('#'); hash != std::string_view::npos) rest = rest.substr(0, hash);
  const auto authorityEnd = std::min(rest.find('/'), rest.find('?'));
  std::string_view authority = rest.substr(0, authorityEnd);
  const std::string_view pathAndQuery =
      authorityEnd == std::string_view::npos ? std::string_view{} : rest.substr(authorityEnd);
  // A backslash is read as a slash by some parsers and not by others.
  if (authority.find('\\') != std::string_view::npos) return std::nullopt;

  if (const auto at = authority.find('@'); at != std::string_view::npos) {
    if (authority.find('@', at + 1) != std::string_view::npos) return std::nullopt;
    const std::string_view userInfo = authority.substr(0, at);
    const auto sep = userInfo.find(':');
    const std::string_view user = userInfo.substr(0, sep);
    const std::string_view password =
        sep == std::string_view::npos ? std::string_view{} : userInfo.substr(sep + 1);
    if (user.size() > kMaxUserLength || password.size() > kMaxPasswordLength) return std::nullopt;
    parts.userInfo = userInfo;
    authority.remove_prefix(at + 1);
  }

  std::string_view host = authority;
  std::string_view port;
  if (StartsWith(authority, "[")) {
    const auto close = authority.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    host = authority.substr(0, close + 1);
    const std::string_view after = authority.substr(close + 1);
    if (!after.empty()) {
      if (after[0] != ':') return std::nullopt;
      port = after.substr(1);
    }
  } else if (const auto sep = authority.find(':'); sep != std::string_view::npos) {
    host = authority.substr(0, sep);
    port = authority.substr(sep + 1);
  }
  if (host.empty() || host.size() > kMaxHostLength) return std::nullopt;
  // "host:" with nothing after the colon means the default port.
  if (!port.empty() && !IsValidPort(port)) return std::nullopt;
  parts.host = host;
  parts.port = port;

  const auto question = pathAndQuery.find('?');
  const std::string_view path = pathAndQuery.substr(0, question);
  const std::string_view query =
      question == std::string_view::npos ? std::string_view{} : pathAndQuery.substr(question);
  parts.target = path.empty() ? std::string("/") : RemoveDotSegments(path);
  if (parts.target.empty()) parts.target = "/";
  parts.target += query;
  if (parts.target.size() > kMaxTargetLength) return std::nullopt;
  return parts;
}

}  // namespace qingyou
