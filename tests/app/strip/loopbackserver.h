#pragma once

#include <httplib.h>

#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qingyou::testing {

// A cpp-httplib server on 127.0.0.1 and a free port, run on its own thread,
// that remembers every request it answered (path and query) for the test to
// look at. Routes are added before Start().
class LoopbackServer {
 public:
  LoopbackServer() = default;
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;
  ~LoopbackServer() { Stop(); }

  // Answers GET `path` with `body` of `contentType`.
  void Serve(const std::string& path, std::string body, std::string contentType) {
    server_.Get(path, [body = std::move(body), contentType = std::move(contentType)](
                          const httplib::Request&, httplib::Response& response) {
      response.set_content(body, contentType);
    });
  }

  // Binds and starts answering; false when no port could be bound.
  bool Start() {
    server_.set_logger([this](const httplib::Request& request, const httplib::Response&) {
      std::string query;
      for (const auto& [key, value] : request.params) {
        query += (query.empty() ? "" : "&") + key + "=" + value;
      }
      const std::lock_guard lock(mutex_);
      requests_.push_back({request.path, query});
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ <= 0) return false;
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    return true;
  }

  void Stop() {
    server_.stop();
    if (thread_.joinable()) thread_.join();
  }

  [[nodiscard]] int Port() const { return port_; }
  [[nodiscard]] std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

  // How many requests for `path` were answered so far.
  [[nodiscard]] int Count(const std::string& path) const {
    const std::lock_guard lock(mutex_);
    int count = 0;
    for (const auto& request : requests_) count += request.path == path ? 1 : 0;
    return count;
  }

  // The queries of the requests for `path`, in the order they came.
  [[nodiscard]] std::vector<std::string> Queries(const std::string& path) const {
    const std::lock_guard lock(mutex_);
    std::vector<std::string> queries;
    for (const auto& request : requests_) {
      if (request.path == path) queries.push_back(request.query);
    }
    return queries;
  }

 private:
  struct Request {
    std::string path;
    std::string query;
  };

  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
  mutable std::mutex mutex_;
  std::vector<Request> requests_;
};

}  // namespace qingyou::testing
