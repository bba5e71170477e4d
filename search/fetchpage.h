#pragma once

#include <chrono>
#include <cstddef>
#include <string>

#include "text/text.h"

namespace qingyou {

// Limits that keep a bad server from freezing the window or exhausting memory.
// When one is hit, the fetch ends with the bytes received so far.
struct FetchOptions {
  std::chrono::milliseconds connectTimeout{15'000};
  // A transfer slower than 1 byte/s over this span is aborted. Whole seconds
  // only (rounded up, at least 1 s).
  std::chrono::milliseconds lowSpeedTime{30'000};
  std::chrono::milliseconds totalTimeout{60'000};
  std::size_t maxBodyBytes = 32u * 1024u * 1024u;
  long maxRedirects = 10;
  // PEM file of the certificate authorities to trust for HTTPS; empty means
  // the system's store.
  std::string caFile;
};

// One HTTP/1.0 GET of `url`, taken literally; the body whatever the status,
// or the bytes received before a failure, or empty (bad URL, scheme other
// than http/https, a URL limit exceeded, no connection).
//
// Request: the path with its query up to any "#" (dot segments resolved,
// nothing escaped or unescaped), User-Agent "Mozilla/4.0 (compatible; MSIE
// 6.0; Windows NT 5.0)", "Accept: */*" once, no-cache request headers, no
// Referer, Cookie or Accept-Encoding, and Authorization only when the server
// asks for credentials given in the URL. Redirects are followed to http and
// https URLs only. Limits: host 255 characters, path with query 2,047, user
// name and password 127 each. Every fetch opens and closes its own connection.
//
// Proxy: the proxy environment variables apply: http_proxy (lower case only;
// HTTP_PROXY is ignored because a CGI request can set it), https_proxy or
// HTTPS_PROXY, all_proxy or ALL_PROXY as the fallback for both, and no_proxy
// or NO_PROXY to bypass hosts.
[[nodiscard]] ByteString FetchPage(const Text& url);
[[nodiscard]] ByteString FetchPage(const Text& url, const FetchOptions& options);

// Why a fetch ended; the body is what FetchPage returns.
enum class FetchEnd {
  Complete,          // the final response's body in full, whatever its status
  NotFetched,        // empty or unsplittable URL, other scheme, limit exceeded, no client
  NoConnection,      // host not found, connection refused, proxy unreachable
  TlsFailed,         // TLS handshake or certificate check failed
  ConnectTimedOut,   // no connection within connectTimeout
  TooSlow,           // below 1 byte/s over lowSpeedTime
  TimedOut,          // totalTimeout reached
  BodyTooLarge,      // the body holds the first maxBodyBytes bytes
  TooManyRedirects,  // more than maxRedirects redirects
  RedirectRefused,   // a redirect to a scheme other than http or https
  ReadFailed,        // the connection broke or the body ended short
  Failed,            // any other error
};

struct FetchResult {
  ByteString body;
  FetchEnd end = FetchEnd::NotFetched;
};

// FetchPage with the reason it ended, for diagnostics and tests.
[[nodiscard]] FetchResult FetchPageWithEnd(const Text& url, const FetchOptions& options);

}  // namespace qingyou
