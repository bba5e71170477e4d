#pragma once

#include <chrono>
#include <cstddef>

#include "text/text.h"

namespace qingyou {

// Limits that keep a bad server from freezing the window or exhausting memory.
// When one is hit, the fetch ends with the bytes received so far.
struct FetchOptions {
  std::chrono::milliseconds connectTimeout{15'000};
  // A transfer slower than 1 byte/s over this span is aborted.
  std::chrono::milliseconds lowSpeedTime{30'000};
  std::chrono::milliseconds totalTimeout{60'000};
  std::size_t maxBodyBytes = 32u * 1024u * 1024u;
  long maxRedirects = 10;
};

// One HTTP/1.0 GET of `url`, taken literally; the body whatever the status,
// or the bytes received before a failure, or empty (bad URL, scheme other
// than http/https, a URL limit exceeded, no connection).
[[nodiscard]] ByteString FetchPage(const Text& url);
[[nodiscard]] ByteString FetchPage(const Text& url, const FetchOptions& options);

}  // namespace qingyou
