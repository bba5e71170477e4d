#include "site/siteserver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <charconv>
#include <chrono>
#include <stdexcept>

#include "site/keydecode.h"
#include "site/melody.h"
#include "site/pages.h"

namespace qingyou::site {

namespace {

constexpr const char* kHtml = "text/html; charset=utf-8";

// The query part of a request target, without a fragment.
std::string_view QueryOf(std::string_view target) {
  const std::size_t question = target.find('?');
  if (question == std::string_view::npos) return {};
  std::string_view query = target.substr(question + 1);
  return query.substr(0, query.find('#'));
}

// A whole decimal number, optionally negative; nullopt for anything else,
// including values beyond long long.
std::optional<long long> ParseWholeNumber(std::string_view text) {
  long long value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::string HostForUrl(const std::string& host) {
  return host.find(':') != std::string::npos ? "[" + host + "]" : host;
}

}  // namespace

bool IsLoopbackHost(std::string_view host) {
  std::string name(host);
  for (char& c : name) c = static_cast<char>((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
  if (name == "localhost") return true;
  in_addr v4{};
  if (inet_pton(AF_INET, name.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
  in6_addr v6{};
  if (inet_pton(AF_INET6, name.c_str(), &v6) == 1) return IN6_IS_ADDR_LOOPBACK(&v6);
  return false;
}

SiteServer::SiteServer(std::vector<Song> songs, std::string host)
    : songs_(std::move(songs)), host_(std::move(host)) {
  if (!IsLoopbackHost(host_)) {
    throw std::invalid_argument("the song site serves on loopback only, not on \"" + host_ + "\"");
  }
  // The library's default asks for SO_REUSEPORT, which lets a second site bind
  // a port that a running one holds and then share its requests at random.
  // SO_REUSEADDR alone still allows a quick restart after a stop.
  server_.set_socket_options([](socket_t sock) {
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  // An idle keep-alive connection holds its worker until this runs out, and
  // Stop() waits for the workers: a short wait keeps SIGTERM prompt while a
  // browser strip sits on an open connection.
  server_.set_keep_alive_timeout(1);
  Route();
}

SiteServer::~SiteServer() {
  Stop();
}

int SiteServer::Bind(int port) {
  if (port == 0) {
    port_ = server_.bind_to_any_port(host_);
  } else {
    port_ = server_.bind_to_port(host_, port) ? port : -1;
  }
  return port_;
}

bool SiteServer::Run() {
  {
    std::lock_guard lock(stateMutex_);
    if (stopRequested_) return true;
    inRun_ = true;
  }
  const bool served = server_.listen_after_bind();
  bool stopped = false;
  {
    std::lock_guard lock(stateMutex_);
    inRun_ = false;
    stopped = stopRequested_;
  }
  stateChanged_.notify_all();
  return served || stopped;
}

void SiteServer::Stop() {
  std::unique_lock lock(stateMutex_);
  stopRequested_ = true;
  // The server ignores stop() until its accept loop is running, so a Stop()
  // that races a starting Run() waits for the loop, asks once, and then waits
  // for Run() to return.
  bool asked = false;
  while (inRun_) {
    if (!asked && server_.is_running()) {
      server_.stop();
      asked = true;
    }
    stateChanged_.wait_for(lock, std::chrono::milliseconds(5));
  }
}

std::string SiteServer::Authority() const {
  return HostForUrl(host_) + ":" + std::to_string(port_);
}

std::string SiteServer::SongPageBaseUrl() const {
  return "http://" + Authority() + "/";
}

std::shared_ptr<const std::string> SiteServer::ClipOf(const Song& song) {
  {
    std::lock_guard lock(clipMutex_);
    const auto it = clips_.find(song.id);
    if (it != clips_.end()) return it->second;
  }
  // Rendered outside the lock so that one slow clip does not hold up others;
  // two threads racing for the same clip make identical bytes.
  auto clip = std::make_shared<const std::string>(SongClipWav(song));
  std::lock_guard lock(clipMutex_);
  return clips_.emplace(song.id, std::move(clip)).first->second;
}

void SiteServer::Route() {
  server_.Get("/", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(HomePage(), kHtml);
  });

  // The key is decoded from the raw target, not from the server's parsed
  // parameters: the program's one-digit escapes ("%9") need their own rule.
  server_.Get("/sfc.aspx", [this](const httplib::Request& req, httplib::Response& res) {
    const std::optional<std::string> key = SearchKey(QueryOf(req.target));
    if (key) {
      res.set_content(ResultPage(SearchSongs(songs_, *key), *key, SongPageBaseUrl()), kHtml);
    } else {
      res.set_content(ResultPage({}, "", SongPageBaseUrl()), kHtml);
    }
  });

  server_.Get(R"(/(\d+)\.html)", [this](const httplib::Request& req, httplib::Response& res) {
    const std::optional<long long> id = ParseWholeNumber(req.matches[1].str());
    const Song* song = id ? FindSong(songs_, *id) : nullptr;
    if (song != nullptr) {
      res.set_content(SongPage(*song), kHtml);
    } else {
      res.status = 404;
      res.set_content(NotFoundPage("这首歌"), kHtml);
    }
  });

  server_.Get("/player.swf", [this](const httplib::Request& req, httplib::Response& res) {
    const std::string_view query = QueryOf(req.target);
    const auto decoded = [&query](std::string_view name) -> std::optional<std::string> {
      const std::optional<std::string_view> raw = RawQueryValue(query, name);
      return raw ? PercentDecode(*raw) : std::nullopt;
    };
    const std::optional<std::string> type = decoded("songtype");
    const std::optional<std::string> idText = decoded("songid");
    const std::optional<long long> id = idText ? ParseWholeNumber(*idText) : std::nullopt;
    const Song* song = (type == "fc" && id) ? FindSong(songs_, *id) : nullptr;
    if (song != nullptr) {
      res.set_content(PlayerPage(*song), kHtml);
    } else {
      res.status = 404;
      res.set_content(PlayerMissingPage(), kHtml);
    }
  });

  server_.Get(R"(/audio/(\d+)\.wav)", [this](const httplib::Request& req, httplib::Response& res) {
    const std::optional<long long> id = ParseWholeNumber(req.matches[1].str());
    const Song* song = id ? FindSong(songs_, *id) : nullptr;
    if (song != nullptr) {
      const std::shared_ptr<const std::string> clip = ClipOf(*song);
      res.set_content(*clip, "audio/wav");
    } else {
      res.status = 404;
      res.set_content("no such clip\n", "text/plain; charset=utf-8");
    }
  });

  server_.set_error_handler([](const httplib::Request&, httplib::Response& res) {
    if (!res.body.empty()) return;
    if (res.status == 404) {
      res.set_content(NotFoundPage("这个页面"), kHtml);
    } else {
      res.set_content("<!DOCTYPE html>\n<meta charset=\"utf-8\">\n<p>请求有误（" +
                          std::to_string(res.status) + "）。</p>\n",
                      kHtml);
    }
  });
}

}  // namespace qingyou::site
