#pragma once

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include <httplib.h>

#include "site/catalogue.h"

namespace qingyou::site {

// True for "localhost", any 127.x.x.x address and "::1": the only hosts the
// site agrees to listen on.
[[nodiscard]] bool IsLoopbackHost(std::string_view host);

// The song site as an HTTP server. Pages:
//   GET /sfc.aspx?key=K&kind=1                 search result page
//   GET /<id>.html                             song page
//   GET /player.swf?songtype=fc&songid=<id>    player page for the strip
//   GET /audio/<id>.wav                        the song's clip
//   GET /                                      front page
// Handlers run on the server's worker threads; the catalogue is read-only
// once the server is built, so they share it without a lock.
class SiteServer {
 public:
  // Throws std::invalid_argument when `host` is not a loopback host.
  SiteServer(std::vector<Song> songs, std::string host);
  ~SiteServer();
  SiteServer(const SiteServer&) = delete;
  SiteServer& operator=(const SiteServer&) = delete;

  // Binds and listens on the host at `port`; 0 picks a free port. Returns the
  // port in use, or -1 when the address cannot be bound.
  [[nodiscard]] int Bind(int port);

  // Accepts requests until Stop(); call after a successful Bind. Returns false
  // when serving failed. Returns at once if Stop() came first.
  bool Run();

  // Makes Run() return; safe from any thread, before, during or after Run().
  void Stop();

  // "http://host:port/": the base of the song page links; valid after Bind.
  [[nodiscard]] std::string SongPageBaseUrl() const;

  // "host:port" with IPv6 hosts in brackets; valid after Bind.
  [[nodiscard]] std::string Authority() const;

 private:
  void Route();
  std::shared_ptr<const std::string> ClipOf(const Song& song);

  std::vector<Song> songs_;
  std::string host_;
  int port_ = -1;
  httplib::Server server_;

  std::mutex stateMutex_;
  std::condition_variable stateChanged_;
  bool stopRequested_ = false;
  bool inRun_ = false;

  // Clips are made on first request and kept: players fetch them repeatedly,
  // often in byte ranges.
  std::mutex clipMutex_;
  std::map<int, std::shared_ptr<const std::string>> clips_;
};

}  // namespace qingyou::site
