#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "search/fetchpage.h"
#include "tests/search/scopedenv.h"

namespace qingyou::testing {

inline constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

// Limits short enough that a test that goes wrong ends soon, long enough for a
// loaded machine.
inline FetchOptions TestLimits() {
  using namespace std::chrono_literals;
  FetchOptions options;
  options.connectTimeout = 5s;
  options.lowSpeedTime = 10s;
  options.totalTimeout = 30s;
  return options;
}

// The head of every request the program sends, after its request line.
inline std::string RequestHeaders(int port) {
  return "Host: 127.0.0.1:" + std::to_string(port) + "\r\nUser-Agent: " + kUserAgent +
         "\r\nAccept: */*\r\nPragma: no-cache\r\nCache-Control: no-cache\r\n\r\n";
}

// Fetch tests talk to loopback servers only: no proxy of the machine running
// them may come in between.
class ProxylessTest : public ::testing::Test {
 private:
  ProxylessEnvironment proxyless_;
};

}  // namespace qingyou::testing
