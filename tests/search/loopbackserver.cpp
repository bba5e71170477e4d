#include "tests/search/loopbackserver.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace qingyou::testing {

namespace {

using Clock = std::chrono::steady_clock;

int ListenOnLoopback(int backlog, int& port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error("socket failed");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(fd, backlog) != 0) {
    close(fd);
    throw std::runtime_error("bind/listen on 127.0.0.1 failed");
  }
  socklen_t length = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  return fd;
}

// Waits for `fd` to become readable; false on time-out.
bool WaitReadable(int fd, Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  if (left.count() <= 0) return false;
  pollfd entry{fd, POLLIN, 0};
  return poll(&entry, 1, static_cast<int>(left.count())) > 0;
}

}  // namespace

bool Connection::Send(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

bool Connection::ReadRequest(std::chrono::milliseconds limit) {
  request_.clear();
  const auto deadline = Clock::now() + limit;
  char buffer[4096];
  while (request_.find("\r\n\r\n") == std::string::npos) {
    if (!WaitReadable(fd_, deadline)) break;
    const ssize_t got = recv(fd_, buffer, sizeof buffer, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    request_.append(buffer, static_cast<std::size_t>(got));
  }
  if (request_.empty()) return false;
  server_.Record(request_);
  return true;
}

bool Connection::WaitForPeerClose(std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  char buffer[4096];
  while (WaitReadable(fd_, deadline)) {
    const ssize_t got = recv(fd_, buffer, sizeof buffer, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return true;
  }
  return false;
}

LoopbackServer::LoopbackServer(Handler handler) : handler_(std::move(handler)) {
  listenFd_ = ListenOnLoopback(16, port_);
  wakeFd_ = eventfd(0, EFD_CLOEXEC);
  thread_ = std::thread([this] { Run(); });
}

LoopbackServer::~LoopbackServer() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const auto written = write(wakeFd_, &one, sizeof one);
  thread_.join();
  close(listenFd_);
  close(wakeFd_);
}

std::string LoopbackServer::Origin() const {
  return "http://127.0.0.1:" + std::to_string(port_);
}

std::vector<std::string> LoopbackServer::Requests() const {
  const std::lock_guard lock(mutex_);
  return requests_;
}

void LoopbackServer::Record(const std::string& request) {
  const std::lock_guard lock(mutex_);
  requests_.push_back(request);
}

void LoopbackServer::Run() {
  for (;;) {
    pollfd entries[2] = {{listenFd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    if (poll(entries, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if ((entries[1].revents & POLLIN) != 0) return;
    const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    ++connections_;
    Connection connection(fd, *this);
    // A client that connects and sends nothing still reaches the handler.
    connection.ReadRequest(std::chrono::seconds(5));
    handler_(connection);
    close(fd);
  }
}

int RefusedPort() {
  int port = 0;
  const int fd = ListenOnLoopback(1, port);
  close(fd);
  return port;
}

UnansweredListener::UnansweredListener() {
  listenFd_ = ListenOnLoopback(0, port_);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port_));
  // Connect until one attempt stays unanswered: from then on the kernel drops
  // every new SYN for this port.
  for (int attempt = 0; attempt < 64 && !full_; ++attempt) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) break;
    const int rc = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    if (rc == 0) {
      fillers_.push_back(fd);
      continue;
    }
    pollfd entry{fd, POLLOUT, 0};
    if (errno == EINPROGRESS && poll(&entry, 1, 300) == 1) {
      int error = 0;
      socklen_t length = sizeof error;
      getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
      if (error == 0) {
        fillers_.push_back(fd);
        continue;
      }
    }
    full_ = true;
    close(fd);
  }
}

UnansweredListener::~UnansweredListener() {
  for (const int fd : fillers_) close(fd);
  close(listenFd_);
}

}  // namespace qingyou::testing
