#include <httplib.h>

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "search/fetchpage.h"
#include "tests/search/fetchtestsupport.h"

namespace qingyou {
namespace {

using namespace std::chrono_literals;
using testing::TestLimits;

// A certificate for 127.0.0.1 signed by nobody, made fresh for each run.
class SelfSignedCertificate {
 public:
  SelfSignedCertificate() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qingyou-tls-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    directory_ = pattern;
    const std::string command =
        "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2"
        " -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout '" +
        key() + "' -out '" + certificate() + "' >/dev/null 2>&1";
    made_ = std::system(command.c_str()) == 0 && std::filesystem::exists(certificate());
  }
  SelfSignedCertificate(const SelfSignedCertificate&) = delete;
  SelfSignedCertificate& operator=(const SelfSignedCertificate&) = delete;
  ~SelfSignedCertificate() {
    std::error_code ignored;
    if (!directory_.empty()) std::filesystem::remove_all(directory_, ignored);
  }
  [[nodiscard]] bool made() const { return made_; }
  [[nodiscard]] std::string certificate() const { return (directory_ / "cert.pem").string(); }
  [[nodiscard]] std::string key() const { return (directory_ / "key.pem").string(); }

 private:
  std::filesystem::path directory_;
  bool made_ = false;
};

class TlsServer {
 public:
  explicit TlsServer(const SelfSignedCertificate& certificate)
      : server_(certificate.certificate().c_str(), certificate.key().c_str()) {
    server_.Get("/secure", [this](const httplib::Request&, httplib::Response& response) {
      ++requests_;
      response.set_content("secure page", "text/html");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
  }
  TlsServer(const TlsServer&) = delete;
  TlsServer& operator=(const TlsServer&) = delete;
  ~TlsServer() {
    server_.stop();
    thread_.join();
  }
  [[nodiscard]] bool valid() const { return server_.is_valid() && port_ > 0; }
  [[nodiscard]] std::string Url() const {
    return "https://127.0.0.1:" + std::to_string(port_) + "/secure";
  }
  [[nodiscard]] int requests() const { return requests_.load(); }

 private:
  httplib::SSLServer server_;
  int port_ = -1;
  std::atomic<int> requests_{0};
  std::thread thread_;
};

using FetchPageTls = testing::ProxylessTest;

TEST_F(FetchPageTls, SelfSignedCertificateIsRefusedAndNothingIsRequested) {
  const SelfSignedCertificate certificate;
  ASSERT_TRUE(certificate.made());
  TlsServer server(certificate);
  ASSERT_TRUE(server.valid());
  const FetchResult result = FetchPageWithEnd(Text::FromBytes(server.Url()), TestLimits());
  EXPECT_EQ(result.end, FetchEnd::TlsFailed);
  EXPECT_TRUE(result.body.empty());
  EXPECT_EQ(server.requests(), 0);
}

// The same server once its certificate is trusted: the refusal above comes
// from the certificate check, not from a TLS set-up that never works.
TEST_F(FetchPageTls, SameServerIsFetchedOnceItsCertificateIsTrusted) {
  const SelfSignedCertificate certificate;
  ASSERT_TRUE(certificate.made());
  TlsServer server(certificate);
  ASSERT_TRUE(server.valid());
  FetchOptions options = TestLimits();
  options.caFile = certificate.certificate();
  const FetchResult result = FetchPageWithEnd(Text::FromBytes(server.Url()), options);
  EXPECT_EQ(result.end, FetchEnd::Complete);
  EXPECT_EQ(std::string(result.body.view()), "secure page");
  EXPECT_EQ(server.requests(), 1);
}

}  // namespace
}  // namespace qingyou
