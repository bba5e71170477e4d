#include "search/fetchpage.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "search/encodekeyword.h"
#include "search/songsite.h"
#include "tests/search/fetchtestsupport.h"
#include "tests/search/loopbackserver.h"
#include "tests/search/scopedenv.h"
#include "text/codepage.h"
#include "text/textops.h"

namespace qingyou {
namespace {

using namespace std::chrono_literals;
using testing::Connection;
using testing::kUserAgent;
using testing::LoopbackServer;
using testing::ScopedEnv;
using testing::TestLimits;

std::string Response(std::string_view statusLine, std::string_view headers, std::string_view body) {
  std::string response(statusLine);
  response += "\r\n";
  response += headers;
  response += "\r\n";
  response += body;
  return response;
}

std::string Ok(std::string_view body) {
  return Response("HTTP/1.0 200 OK",
                  "Content-Type: text/html; charset=utf-8\r\nContent-Length: " +
                      std::to_string(body.size()) + "\r\n",
                  body);
}

LoopbackServer::Handler Reply(std::string response) {
  return [response = std::move(response)](Connection& connection) { connection.Send(response); };
}

std::string RequestLine(const std::string& request) {
  return request.substr(0, request.find("\r\n"));
}

std::string Str(const ByteString& bytes) {
  return std::string(bytes.view());
}

using FetchPageTest = testing::ProxylessTest;

TEST_F(FetchPageTest, SendsOneHttp10GetWithUserAgentAcceptOnceAndNoCacheOnly) {
  LoopbackServer server(Reply(Ok("page")));
  const ByteString body =
      FetchPage(Text::FromBytes(server.Origin() + "/sfc.aspx?key=%E4%B8%AD&kind=1#top"));
  EXPECT_EQ(Str(body), "page");
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  // The whole request, byte for byte: no Referer, Cookie, Authorization,
  // Accept-Encoding or body.
  EXPECT_EQ(requests[0], "GET /sfc.aspx?key=%E4%B8%AD&kind=1 HTTP/1.0\r\n" +
                             testing::RequestHeaders(server.port()));
}

struct TargetCase {
  const char* name;
  const char* afterOrigin;  // appended to "http://127.0.0.1:<port>"
  const char* target;       // what the request line must carry
};

TEST_F(FetchPageTest, RequestTargetIsTheUrlTakenLiterallyWithOnlyDotSegmentsResolved) {
  const TargetCase cases[] = {
      {"search form", "/sfc.aspx?key=%E6%AD%8C%20&kind=1", "/sfc.aspx?key=%E6%AD%8C%20&kind=1"},
      {"no path", "", "/"},
      {"query without path", "?key=1", "/?key=1"},
      {"dot segments", "/a/./b/../c?x=1", "/a/c?x=1"},
      {"dot segments above the root", "/a/../../b", "/b"},
      {"trailing dot-dot", "/a/b/..", "/a/"},
      {"dot segments in the query stay", "/q?path=/a/../b/./c", "/q?path=/a/../b/./c"},
      {"escapes neither decoded nor re-cased", "/%7e%2f~a+b?x=%20&y=a+b",
       "/%7e%2f~a+b?x=%20&y=a+b"},
      {"characters some clients escape", "/a|b{c}^`[d]?q=\"<>\"", "/a|b{c}^`[d]?q=\"<>\""},
      {"double slash kept", "/a//b", "/a//b"},
      {"empty query kept", "/p?", "/p?"},
      {"fragment dropped", "/p?q=1#frag?x=2", "/p?q=1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackServer server(Reply(Ok("x")));
    const FetchResult result =
        FetchPageWithEnd(Text::FromBytes(server.Origin() + c.afterOrigin), TestLimits());
    EXPECT_EQ(result.end, FetchEnd::Complete);
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(RequestLine(requests[0]), std::string("GET ") + c.target + " HTTP/1.0");
  }
}

TEST_F(FetchPageTest, SchemeIsReadWithoutRegardToCase) {
  LoopbackServer server(Reply(Ok("x")));
  const FetchResult result = FetchPageWithEnd(
      Text::FromBytes("HTTP://127.0.0.1:" + std::to_string(server.port()) + "/a"), TestLimits());
  EXPECT_EQ(result.end, FetchEnd::Complete);
  EXPECT_EQ(Str(result.body), "x");
}

struct BodyCase {
  const char* name;
  std::string response;
  std::string body;
  FetchEnd end;
};

TEST_F(FetchPageTest, ReturnsTheBodyWhateverTheStatusAndHowItIsFramed) {
  const std::string binary("\x00\xFF\x7F\x80 \r\n\r\n\x00", 10);
  const BodyCase cases[] = {
      {"200 with Content-Length", Ok("<html>found</html>"), "<html>found</html>",
       FetchEnd::Complete},
      {"200 without Content-Length, ended by close", Response("HTTP/1.0 200 OK", "", "until close"),
       "until close", FetchEnd::Complete},
      {"404 body", Response("HTTP/1.0 404 Not Found", "Content-Length: 7\r\n", "missing"),
       "missing", FetchEnd::Complete},
      {"500 body without length", Response("HTTP/1.0 500 Internal Server Error", "", "broken"),
       "broken", FetchEnd::Complete},
      {"empty body with Content-Length 0", Ok(""), "", FetchEnd::Complete},
      {"empty body ended by close", Response("HTTP/1.0 200 OK", "", ""), "", FetchEnd::Complete},
      {"chunked HTTP/1.1 answer",
       Response("HTTP/1.1 200 OK", "Transfer-Encoding: chunked\r\n",
                "4\r\nabcd\r\n3\r\nefg\r\n0\r\n\r\n"),
       "abcdefg", FetchEnd::Complete},
      {"bytes of any value", Ok(binary), binary, FetchEnd::Complete},
      {"connection cut mid-body",
       Response("HTTP/1.0 200 OK", "Content-Length: 1000\r\n", std::string(400, 'b')),
       std::string(400, 'b'), FetchEnd::ReadFailed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackServer server(Reply(c.response));
    const FetchResult result =
        FetchPageWithEnd(Text::FromBytes(server.Origin() + "/page"), TestLimits());
    EXPECT_EQ(Str(result.body), c.body);
    EXPECT_EQ(result.end, c.end);
  }
}

TEST_F(FetchPageTest, FollowsARedirectChainAcrossServersEachOnAFreshConnection) {
  LoopbackServer final(Reply(Ok("final page")));
  std::atomic<int> closedByClient{0};
  // Offers keep-alive and waits: the client must still close every connection.
  std::optional<LoopbackServer> first;
  first.emplace([&](Connection& connection) {
    const std::string line = RequestLine(connection.request());
    const std::string location = line.find("/start") != std::string::npos
                                     ? "/x/../middle"
                                     : final.Origin() + "/end?from=first";
    connection.Send(Response(
        "HTTP/1.1 302 Found",
        "Location: " + location + "\r\nContent-Length: 5\r\nConnection: keep-alive\r\n", "moved"));
    if (connection.WaitForPeerClose(5s)) ++closedByClient;
  });
  const FetchResult result =
      FetchPageWithEnd(Text::FromBytes(first->Origin() + "/start"), TestLimits());
  EXPECT_EQ(result.end, FetchEnd::Complete);
  EXPECT_EQ(Str(result.body), "final page");
  const auto firstRequests = first->Requests();
  ASSERT_EQ(firstRequests.size(), 2u);
  EXPECT_EQ(RequestLine(firstRequests[0]), "GET /start HTTP/1.0");
  EXPECT_EQ(RequestLine(firstRequests[1]), "GET /middle HTTP/1.0");
  EXPECT_EQ(first->ConnectionCount(), 2);
  // The fetch can return before the server's thread has seen the second
  // close; stopping the server waits for its handler to finish.
  first.reset();
  EXPECT_EQ(closedByClient.load(), 2);
  const auto finalRequests = final.Requests();
  ASSERT_EQ(finalRequests.size(), 1u);
  EXPECT_EQ(RequestLine(finalRequests[0]), "GET /end?from=first HTTP/1.0");
  EXPECT_NE(finalRequests[0].find(std::string("User-Agent: ") + kUserAgent + "\r\n"),
            std::string::npos);
}

TEST_F(FetchPageTest, RedirectLoopEndsAfterTheLimit) {
  LoopbackServer server(
      Reply(Response("HTTP/1.0 302 Found", "Location: /again\r\nContent-Length: 0\r\n", "")));
  FetchOptions options = TestLimits();
  options.maxRedirects = 3;
  const FetchResult result = FetchPageWithEnd(Text::FromBytes(server.Origin() + "/"), options);
  EXPECT_EQ(result.end, FetchEnd::TooManyRedirects);
  EXPECT_TRUE(result.body.empty());
  EXPECT_EQ(server.Requests().size(), 4u);  // the first request and three redirects
}

TEST_F(FetchPageTest, RedirectToASchemeOtherThanHttpIsNotFollowed) {
  LoopbackServer ftp(Reply("220 ready\r\n"));
  const std::string targets[] = {
      "ftp://127.0.0.1:" + std::to_string(ftp.port()) + "/file",
      "file:///etc/passwd",
  };
  for (const auto& target : targets) {
    SCOPED_TRACE(target);
    LoopbackServer server(Reply(
        Response("HTTP/1.0 302 Found", "Location: " + target + "\r\nContent-Length: 0\r\n", "")));
    const FetchResult result =
        FetchPageWithEnd(Text::FromBytes(server.Origin() + "/"), TestLimits());
    EXPECT_EQ(result.end, FetchEnd::RedirectRefused);
    EXPECT_TRUE(result.body.empty());
  }
  EXPECT_EQ(ftp.ConnectionCount(), 0);
}

std::string ChineseKeyword(int characters) {
  std::string utf8;
  for (int i = 0; i < characters; ++i) utf8 += "中";
  return utf8;
}

TEST_F(FetchPageTest, SearchUrlOf225ChineseCharactersIsFetchedAnd226IsNot) {
  LoopbackServer server(Reply(Ok("results")));
  const SongSite site{Text::FromBytes(server.Origin())};
  struct Case {
    int characters;
    std::size_t targetLength;
    bool fetched;
  };
  // "/sfc.aspx?key=" (14) + 9 per character + "&kind=1" (7).
  for (const Case c : {Case{225, 2046, true}, Case{226, 2055, false}}) {
    SCOPED_TRACE(c.characters);
    const Text url = TextConcat(SearchBaseUrl(site),
                                EncodeKeyword(Utf8ToGbk(ChineseKeyword(c.characters))), "&kind=1");
    const std::string target = std::string(url.view().substr(server.Origin().size()));
    ASSERT_EQ(target.size(), c.targetLength);
    const std::size_t before = server.Requests().size();
    const FetchResult result = FetchPageWithEnd(url, TestLimits());
    const auto requests = server.Requests();
    if (c.fetched) {
      EXPECT_EQ(result.end, FetchEnd::Complete);
      EXPECT_EQ(Str(result.body), "results");
      ASSERT_EQ(requests.size(), before + 1);
      EXPECT_EQ(RequestLine(requests.back()), "GET " + target + " HTTP/1.0");
    } else {
      EXPECT_EQ(result.end, FetchEnd::NotFetched);
      EXPECT_TRUE(result.body.empty());
      EXPECT_EQ(requests.size(), before);
    }
  }
}

struct LimitCase {
  const char* name;
  std::string userInfo;  // with its "@", or empty
  std::string target;
  bool fetched;
};

TEST_F(FetchPageTest, UrlPartsAtTheirLimitAreFetchedAndOneMoreIsNot) {
  const std::string long2047 = "/" + std::string(2040, 'p') + "?q=abc";
  const std::string long2048 = "/" + std::string(2041, 'p') + "?q=abc";
  const LimitCase cases[] = {
      {"target of 2047", "", long2047, true},
      {"target of 2048", "", long2048, false},
      {"target of 2047 after resolving dot segments", "", "/x/.." + long2047, true},
      {"fragment does not count", "", long2047 + "#" + std::string(50, 'f'), true},
      {"user name of 127", std::string(127, 'u') + "@", "/", true},
      {"user name of 128", std::string(128, 'u') + "@", "/", false},
      {"password of 127", "user:" + std::string(127, 'w') + "@", "/", true},
      {"password of 128", "user:" + std::string(128, 'w') + "@", "/", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackServer server(Reply(Ok("x")));
    const std::string url =
        "http://" + c.userInfo + "127.0.0.1:" + std::to_string(server.port()) + c.target;
    const FetchResult result = FetchPageWithEnd(Text::FromBytes(url), TestLimits());
    EXPECT_EQ(result.end, c.fetched ? FetchEnd::Complete : FetchEnd::NotFetched);
    EXPECT_EQ(server.ConnectionCount(), c.fetched ? 1 : 0);
  }
}

TEST_F(FetchPageTest, UrlsThatCannotBeFetchedGiveNothingAndSendNothing) {
  LoopbackServer server(Reply(Ok("x")));
  const std::string port = std::to_string(server.port());
  const std::string urls[] = {
      "",
      "ftp://127.0.0.1:" + port + "/",
      "file:///etc/hostname",
      "127.0.0.1:" + port + "/",
      "//127.0.0.1:" + port + "/",
      "http:/127.0.0.1:" + port + "/",
      "http://",
      "http://:" + port + "/",
      "http://127.0.0.1:0/",
      "http://127.0.0.1:99999/",
      "http://127.0.0.1:" + port + "x/",
      "http://a@b@127.0.0.1:" + port + "/",
      "http://127.0.0.1:" + port + "/a b",
      "http://127.0.0.1:" + port + "/a\tb",
      "http://127.0.0.1:" + port + "/\xD6\xD0?k=\xB8\xE8",
  };
  for (const auto& url : urls) {
    SCOPED_TRACE(url);
    const FetchResult result = FetchPageWithEnd(Text::FromBytes(url), TestLimits());
    EXPECT_EQ(result.end, FetchEnd::NotFetched);
    EXPECT_TRUE(result.body.empty());
  }
  EXPECT_EQ(server.ConnectionCount(), 0);
}

TEST_F(FetchPageTest, RefusedConnectionGivesAnEmptyPage) {
  const FetchResult result = FetchPageWithEnd(
      Text::FromBytes("http://127.0.0.1:" + std::to_string(testing::RefusedPort()) + "/"),
      TestLimits());
  EXPECT_EQ(result.end, FetchEnd::NoConnection);
  EXPECT_TRUE(result.body.empty());
}

TEST_F(FetchPageTest, CredentialsInTheUrlAreSentOnlyWhenTheServerAsksForThem) {
  LoopbackServer server([](Connection& connection) {
    if (connection.request().find("Authorization:") == std::string::npos) {
      connection.Send(Response("HTTP/1.0 401 Unauthorized",
                               "WWW-Authenticate: Basic realm=\"songs\"\r\nContent-Length: 4\r\n",
                               "who?"));
    } else {
      connection.Send(Ok("welcome"));
    }
  });
  const FetchResult result = FetchPageWithEnd(
      Text::FromBytes("http://user:pw@127.0.0.1:" + std::to_string(server.port()) + "/"),
      TestLimits());
  EXPECT_EQ(Str(result.body), "welcome");
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].find("Authorization:"), std::string::npos);
  EXPECT_NE(requests[1].find("\r\nAuthorization: Basic dXNlcjpwdw==\r\n"), std::string::npos);
}

struct ProxyCase {
  const char* name;
  std::vector<std::pair<const char*, std::string>> environment;  // "{proxy}" = the proxy's URL
  bool proxied;
};

TEST_F(FetchPageTest, ProxyComesFromTheEnvironmentVariablesLibcurlHonours) {
  LoopbackServer proxy(Reply(Ok("via proxy")));
  LoopbackServer origin(Reply(Ok("direct")));
  const ProxyCase cases[] = {
      {"http_proxy", {{"http_proxy", "{proxy}"}}, true},
      {"HTTP_PROXY is ignored", {{"HTTP_PROXY", "{proxy}"}}, false},
      {"all_proxy", {{"all_proxy", "{proxy}"}}, true},
      {"ALL_PROXY", {{"ALL_PROXY", "{proxy}"}}, true},
      {"https_proxy is for https only", {{"https_proxy", "{proxy}"}}, false},
      {"no_proxy bypasses", {{"http_proxy", "{proxy}"}, {"no_proxy", "127.0.0.1"}}, false},
      {"NO_PROXY bypasses", {{"http_proxy", "{proxy}"}, {"NO_PROXY", "127.0.0.1"}}, false},
  };
  const std::string url = origin.Origin() + "/sfc.aspx?key=%61&kind=1";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::unique_ptr<ScopedEnv>> environment;
    for (const auto& [name, value] : c.environment) {
      environment.push_back(
          std::make_unique<ScopedEnv>(name, value == "{proxy}" ? proxy.Origin() : value));
    }
    const std::size_t proxyBefore = proxy.Requests().size();
    const std::size_t originBefore = origin.Requests().size();
    const FetchResult result = FetchPageWithEnd(Text::FromBytes(url), TestLimits());
    EXPECT_EQ(result.end, FetchEnd::Complete);
    const auto proxyRequests = proxy.Requests();
    if (c.proxied) {
      EXPECT_EQ(Str(result.body), "via proxy");
      ASSERT_EQ(proxyRequests.size(), proxyBefore + 1);
      EXPECT_EQ(proxyRequests.back(),
                "GET " + url + " HTTP/1.0\r\n" + testing::RequestHeaders(origin.port()));
      EXPECT_EQ(origin.Requests().size(), originBefore);
    } else {
      EXPECT_EQ(Str(result.body), "direct");
      EXPECT_EQ(proxyRequests.size(), proxyBefore);
      EXPECT_EQ(origin.Requests().size(), originBefore + 1);
    }
  }
}

TEST_F(FetchPageTest, HostNameOf255IsFetchedAnd256IsNot) {
  // Through a proxy, so that the long names never need to be resolved.
  LoopbackServer proxy(Reply(Ok("via proxy")));
  const ScopedEnv environment("http_proxy", proxy.Origin());
  const std::string label(63, 'h');
  const std::string host255 = label + "." + label + "." + label + "." + label;
  const std::string host256 = label + "." + label + "." + label + ".h" + label;
  ASSERT_EQ(host255.size(), 255u);
  ASSERT_EQ(host256.size(), 256u);

  const FetchResult fetched =
      FetchPageWithEnd(Text::FromBytes("http://" + host255 + "/p"), TestLimits());
  EXPECT_EQ(fetched.end, FetchEnd::Complete);
  EXPECT_EQ(Str(fetched.body), "via proxy");
  const auto requests = proxy.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(RequestLine(requests[0]), "GET http://" + host255 + "/p HTTP/1.0");

  const FetchResult refused =
      FetchPageWithEnd(Text::FromBytes("http://" + host256 + "/p"), TestLimits());
  EXPECT_EQ(refused.end, FetchEnd::NotFetched);
  EXPECT_EQ(proxy.ConnectionCount(), 1);
}

TEST_F(FetchPageTest, SilentServerIsLeftAfterTheLowSpeedTime) {
  std::atomic<bool> clientHungUp{false};
  FetchResult result;
  {
    // Answers nothing; gives up itself after 20 s, far beyond the client's
    // limit. Leaving the block waits for it to see who hung up.
    LoopbackServer server(
        [&](Connection& connection) { clientHungUp = connection.WaitForPeerClose(20s); });
    FetchOptions options = TestLimits();
    options.lowSpeedTime = 1s;
    options.totalTimeout = 60s;
    result = FetchPageWithEnd(Text::FromBytes(server.Origin() + "/"), options);
  }
  EXPECT_EQ(result.end, FetchEnd::TooSlow);
  EXPECT_TRUE(result.body.empty());
  EXPECT_TRUE(clientHungUp.load());
}

// A body that never ends: `pattern` over and over, `pause` between pieces,
// until the client goes away or `giveUp` passes.
LoopbackServer::Handler EndlessBody(std::string pattern, std::chrono::milliseconds pause,
                                    std::chrono::seconds giveUp, std::atomic<bool>& clientHungUp) {
  return [pattern = std::move(pattern), pause, giveUp, &clientHungUp](Connection& connection) {
    const auto deadline = std::chrono::steady_clock::now() + giveUp;
    bool sent = connection.Send("HTTP/1.0 200 OK\r\n\r\n");
    while (sent && std::chrono::steady_clock::now() < deadline) {
      sent = connection.Send(pattern);
      if (pause.count() > 0) std::this_thread::sleep_for(pause);
    }
    clientHungUp = !sent;
  };
}

bool IsRepetitionOf(const std::string& body, const std::string& pattern) {
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (body[i] != pattern[i % pattern.size()]) return false;
  }
  return true;
}

TEST_F(FetchPageTest, EndlessBodyIsCutAtTheSizeCapWithTheBytesSoFar) {
  std::atomic<bool> clientHungUp{false};
  std::string pattern;
  for (int i = 0; i < 64 * 1024; ++i) pattern += static_cast<char>('a' + i % 23);
  FetchOptions options = TestLimits();
  options.maxBodyBytes = 1024 * 1024 + 7;  // ends inside a piece
  FetchResult result;
  {
    LoopbackServer server(EndlessBody(pattern, 0ms, 20s, clientHungUp));
    result = FetchPageWithEnd(Text::FromBytes(server.Origin() + "/"), options);
  }
  EXPECT_EQ(result.end, FetchEnd::BodyTooLarge);
  EXPECT_EQ(result.body.size(), options.maxBodyBytes);
  EXPECT_TRUE(IsRepetitionOf(Str(result.body), pattern));
  EXPECT_TRUE(clientHungUp.load());
}

TEST_F(FetchPageTest, TrickledBodyIsCutAtTheTotalTimeWithTheBytesSoFar) {
  std::atomic<bool> clientHungUp{false};
  FetchOptions options = TestLimits();
  options.lowSpeedTime = 10s;
  options.totalTimeout = 2500ms;
  FetchResult result;
  {
    // Ten bytes a second: never too slow, never finished.
    LoopbackServer server(EndlessBody("ab", 200ms, 20s, clientHungUp));
    result = FetchPageWithEnd(Text::FromBytes(server.Origin() + "/"), options);
  }
  EXPECT_EQ(result.end, FetchEnd::TimedOut);
  EXPECT_FALSE(result.body.empty());
  EXPECT_TRUE(IsRepetitionOf(Str(result.body), "ab"));
  EXPECT_TRUE(clientHungUp.load());
}

TEST_F(FetchPageTest, UnansweredConnectionIsGivenUpAfterTheConnectTime) {
  testing::UnansweredListener listener;
  ASSERT_TRUE(listener.full());
  FetchOptions options = TestLimits();
  options.connectTimeout = 500ms;
  options.totalTimeout = 60s;
  const FetchResult result = FetchPageWithEnd(
      Text::FromBytes("http://127.0.0.1:" + std::to_string(listener.port()) + "/"), options);
  EXPECT_EQ(result.end, FetchEnd::ConnectTimedOut);
  EXPECT_TRUE(result.body.empty());
}

}  // namespace
}  // namespace qingyou
