#pragma once

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qingyou::testing {

// Sets or unsets one environment variable and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(std::string name, const std::optional<std::string>& value) : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str()); old != nullptr) old_ = old;
    if (value) {
      setenv(name_.c_str(), value->c_str(), 1);
    } else {
      unsetenv(name_.c_str());
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  ~ScopedEnv() {
    if (old_) {
      setenv(name_.c_str(), old_->c_str(), 1);
    } else {
      unsetenv(name_.c_str());
    }
  }

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// Clears every proxy variable for the scope: tests talk to loopback servers
// only, and a proxy set on the machine running them must not come in between.
class ProxylessEnvironment {
 public:
  ProxylessEnvironment() {
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy",
                             "ALL_PROXY", "no_proxy", "NO_PROXY"}) {
      cleared_.push_back(std::make_unique<ScopedEnv>(name, std::nullopt));
    }
  }

 private:
  std::vector<std::unique_ptr<ScopedEnv>> cleared_;
};

}  // namespace qingyou::testing
