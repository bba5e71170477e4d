#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace qingyou::testing {

// One accepted connection, as a handler sees it.
class LoopbackServer;

class Connection {
 public:
  Connection(int fd, LoopbackServer& server) : fd_(fd), server_(server) {}
  // The bytes received before the handler ran: up to the blank line that ends
  // the request head, or whatever came before the peer closed or went quiet.
  [[nodiscard]] const std::string& request() const { return request_; }
  // False once the peer is gone.
  bool Send(std::string_view bytes);
  // Reads the next request head on this connection and records it with the
  // server; false when the peer closed first or nothing came within `limit`.
  bool ReadRequest(std::chrono::milliseconds limit);
  // True when the peer closed the connection within `limit` (data it sends in
  // the meantime is read and dropped).
  bool WaitForPeerClose(std::chrono::milliseconds limit);

 private:
  int fd_;
  LoopbackServer& server_;
  std::string request_;
};

// A TCP listener on 127.0.0.1 and a free port. It serves one connection at a
// time on its own thread: reads the request head, records it, then hands the
// connection to `handler`, and closes it when the handler returns.
class LoopbackServer {
 public:
  using Handler = std::function<void(Connection&)>;

  explicit LoopbackServer(Handler handler);
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;
  ~LoopbackServer();

  [[nodiscard]] int port() const { return port_; }
  // "http://127.0.0.1:<port>"
  [[nodiscard]] std::string Origin() const;
  // Every request head received, in order, across all connections.
  [[nodiscard]] std::vector<std::string> Requests() const;
  [[nodiscard]] int ConnectionCount() const { return connections_.load(); }

 private:
  friend class Connection;
  void Record(const std::string& request);
  void Run();

  Handler handler_;
  int listenFd_ = -1;
  int wakeFd_ = -1;
  int port_ = 0;
  std::atomic<int> connections_{0};
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// A port on 127.0.0.1 with nothing listening: connecting to it is refused.
[[nodiscard]] int RefusedPort();

// A listener whose accept queue is full and that never accepts, so that a new
// connection attempt gets no answer at all (its SYN is dropped).
class UnansweredListener {
 public:
  UnansweredListener();
  UnansweredListener(const UnansweredListener&) = delete;
  UnansweredListener& operator=(const UnansweredListener&) = delete;
  ~UnansweredListener();
  [[nodiscard]] int port() const { return port_; }
  // True when the queue was seen to be full while setting up.
  [[nodiscard]] bool full() const { return full_; }

 private:
  int listenFd_ = -1;
  int port_ = 0;
  bool full_ = false;
  std::vector<int> fillers_;
};

}  // namespace qingyou::testing
