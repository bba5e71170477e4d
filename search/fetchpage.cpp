#include "search/fetchpage.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "search/curlhandle.h"
#include "search/fetchurl.h"

namespace qingyou {

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

// The process-wide client: libcurl's global state and a share object that
// lets fetches reuse DNS answers (never connections). It lives from the first
// fetch to the end of the program.
class HttpClient {
 public:
  // Null when libcurl cannot be set up; the next fetch tries again.
  static HttpClient* Get() {
    static std::unique_ptr<HttpClient> client;
    if (!client) client = Create();
    return client.get();
  }

  HttpClient(const HttpClient&) = delete;
  HttpClient& operator=(const HttpClient&) = delete;
  ~HttpClient() {
    share_.reset();
    curl_global_cleanup();
  }

  [[nodiscard]] CURLSH* share() const noexcept { return share_.get(); }

 private:
  explicit HttpClient(CurlShareHandle share) : share_(std::move(share)) {}

  static std::unique_ptr<HttpClient> Create() {
    if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) return nullptr;
    CurlShareHandle share(curl_share_init());
    if (!share ||
        curl_share_setopt(share.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS) != CURLSHE_OK) {
      share.reset();
      curl_global_cleanup();
      return nullptr;
    }
    return std::unique_ptr<HttpClient>(new HttpClient(std::move(share)));
  }

  CurlShareHandle share_;
};

struct BodySink {
  CURL* handle = nullptr;
  ByteString body;
  std::size_t maxBytes = 0;
  bool reserved = false;
  bool capped = false;
};

std::size_t OnBodyBytes(char* data, std::size_t size, std::size_t count, void* user) {
  auto* sink = static_cast<BodySink*>(user);
  const std::size_t length = size * count;
  if (!sink->reserved) {
    // The first piece of the final response: size the buffer from the
    // announced length, never beyond the cap, since the header may lie.
    sink->reserved = true;
    curl_off_t announced = -1;
    if (curl_easy_getinfo(sink->handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced) ==
            CURLE_OK &&
        announced > 0) {
      sink->body.Reserve(std::min(static_cast<std::size_t>(announced), sink->maxBytes));
    }
  }
  const std::size_t room = sink->maxBytes - sink->body.size();
  if (length > room) {
    sink->body.Append(std::string_view(data, room));
    sink->capped = true;
    return 0;  // anything short of `length` aborts the transfer
  }
  sink->body.Append(std::string_view(data, length));
  return length;
}

long WholeSecondsAtLeastOne(std::chrono::milliseconds span) {
  const auto seconds = (span.count() + 999) / 1000;
  return static_cast<long>(std::max<decltype(seconds)>(seconds, 1));
}

// libcurl reports all three time limits with one code. Its clock and ours
// differ by a millisecond or so, hence the slack; the other two limits are
// never that close to the total time in practice.
FetchEnd EndOfTimeout(CURL* handle, const FetchOptions& options, Clock::duration elapsed) {
  constexpr auto kClockSlack = std::chrono::milliseconds(100);
  if (elapsed + kClockSlack >= options.totalTimeout) return FetchEnd::TimedOut;
  curl_off_t connected = 0;
  curl_easy_getinfo(handle, CURLINFO_CONNECT_TIME_T, &connected);
  return connected == 0 ? FetchEnd::ConnectTimedOut : FetchEnd::TooSlow;
}

FetchEnd EndOf(CURLcode code, CURL* handle, const BodySink& sink, const FetchOptions& options,
               Clock::duration elapsed) {
  switch (code) {
    case CURLE_OK:
      return FetchEnd::Complete;
    case CURLE_WRITE_ERROR:
      return sink.capped ? FetchEnd::BodyTooLarge : FetchEnd::Failed;
    case CURLE_OPERATION_TIMEDOUT:
      return EndOfTimeout(handle, options, elapsed);
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
      return FetchEnd::NoConnection;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
      return FetchEnd::TlsFailed;
    case CURLE_TOO_MANY_REDIRECTS:
      return FetchEnd::TooManyRedirects;
    case CURLE_UNSUPPORTED_PROTOCOL:
      return FetchEnd::RedirectRefused;
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_SEND_ERROR:
      return FetchEnd::ReadFailed;
    default:
      return FetchEnd::Failed;
  }
}

bool Configure(CURL* handle, const std::string& url, curl_slist* headers, BodySink& sink,
               const FetchOptions& options, CURLSH* share) {
  bool ok = true;
  const auto set = [&](CURLoption option, auto value) {
    ok = ok && curl_easy_setopt(handle, option, value) == CURLE_OK;
  };
  set(CURLOPT_URL, url.c_str());
  // libcurl resolves dot segments too: it finds none left in `url`, and it
  // resolves those of redirect targets the same way. Everything else in the
  // path and query goes out as written (bytes above 0x7E, which it would
  // escape, never get this far).
  set(CURLOPT_PROTOCOLS_STR, "http,https");
  set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  set(CURLOPT_FOLLOWLOCATION, 1L);
  set(CURLOPT_MAXREDIRS, options.maxRedirects);
  set(CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  set(CURLOPT_HTTPGET, 1L);
  set(CURLOPT_USERAGENT, kUserAgent);
  set(CURLOPT_HTTPHEADER, headers);
  // Credentials in the URL are sent only when the server asks for them: with
  // more than one method allowed, libcurl first asks without any.
  set(CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC | CURLAUTH_DIGEST));
  set(CURLOPT_FRESH_CONNECT, 1L);
  set(CURLOPT_FORBID_REUSE, 1L);
  set(CURLOPT_SSL_VERIFYPEER, 1L);
  set(CURLOPT_SSL_VERIFYHOST, 2L);
  if (!options.caFile.empty()) set(CURLOPT_CAINFO, options.caFile.c_str());
  set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.connectTimeout.count()));
  set(CURLOPT_TIMEOUT_MS, static_cast<long>(options.totalTimeout.count()));
  set(CURLOPT_LOW_SPEED_LIMIT, 1L);
  set(CURLOPT_LOW_SPEED_TIME, WholeSecondsAtLeastOne(options.lowSpeedTime));
  set(CURLOPT_WRITEFUNCTION, &OnBodyBytes);
  set(CURLOPT_WRITEDATA, static_cast<void*>(&sink));
  set(CURLOPT_SHARE, share);
  return ok;
}

}  // namespace

FetchResult FetchPageWithEnd(const Text& url, const FetchOptions& options) {
  FetchResult result;
  const std::optional<FetchUrl> parts = SplitFetchUrl(url.view());
  if (!parts) return result;
  HttpClient* client = HttpClient::Get();
  if (client == nullptr) return result;

  CurlEasyHandle handle(curl_easy_init());
  if (!handle) return result;
  // A custom Accept replaces libcurl's own, so it goes out once. The no-cache
  // pair keeps caching proxies from answering in the origin's place. An empty
  // Proxy-Connection removes the keep-alive libcurl would offer a proxy for a
  // connection that is closed after this one request.
  CurlSlistHandle headers;
  for (const char* header :
       {"Accept: */*", "Pragma: no-cache", "Cache-Control: no-cache", "Proxy-Connection:"}) {
    curl_slist* grown = curl_slist_append(headers.get(), header);
    if (grown == nullptr) return result;
    // Appending returns the list's head, which is new only for the first item.
    if (!headers) headers.reset(grown);
  }
  BodySink sink;
  sink.handle = handle.get();
  sink.maxBytes = options.maxBodyBytes;
  const std::string target = parts->ToString();
  if (!Configure(handle.get(), target, headers.get(), sink, options, client->share())) {
    return result;
  }
  const auto start = Clock::now();
  const CURLcode code = curl_easy_perform(handle.get());
  result.end = EndOf(code, handle.get(), sink, options, Clock::now() - start);
  result.body = std::move(sink.body);
  return result;
}

ByteString FetchPage(const Text& url, const FetchOptions& options) {
  return FetchPageWithEnd(url, options).body;
}

ByteString FetchPage(const Text& url) {
  return FetchPage(url, FetchOptions{});
}

}  // namespace qingyou
