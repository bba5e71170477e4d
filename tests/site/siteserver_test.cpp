#include "site/siteserver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "site/catalogue.h"
#include "tests/site/wavreader.h"

namespace qingyou::site {
namespace {

constexpr const char* kCatalogue =
    "1000001\t月亮之上\t歌手甲\n"
    "1000002\tLove Song\tSinger B\n"
    "1000003\tTom & \"Jerry\" <Live> 's\t歌手丙\n"
    "1000004\t小月亮\tLOVEBIRDS\n"
    "1000005\t華樂愛\t張三\n";

constexpr std::string_view kCellLink = "<td class=\"ser_list_name\"><a href=\"";

// Every cell link in page order, from the prefix up to its closing </td>: a
// plain scan, the same way the program cuts the page.
std::vector<std::string> CellLinks(const std::string& page) {
  std::vector<std::string> links;
  for (std::size_t at = page.find(kCellLink); at != std::string::npos;
       at = page.find(kCellLink, at + 1)) {
    const std::size_t end = page.find("</td>", at);
    links.push_back(page.substr(at, end == std::string::npos ? end : end + 5 - at));
  }
  return links;
}

class SiteServerTest : public testing::Test {
 protected:
  void SetUp() override {
    server_ = std::make_unique<SiteServer>(ParseCatalogue(kCatalogue), "127.0.0.1");
    port_ = server_->Bind(0);
    ASSERT_GT(port_, 0);
    serving_ = std::thread([this] { server_->Run(); });
    client_ = std::make_unique<httplib::Client>("127.0.0.1", port_);
    client_->set_url_encode(false);  // send the escapes exactly as written
  }

  void TearDown() override {
    server_->Stop();
    if (serving_.joinable()) serving_.join();
  }

  // GET `target`; fails the test when no response arrives.
  httplib::Response Get(const std::string& target) {
    const httplib::Result result = client_->Get(target);
    if (!result) {
      ADD_FAILURE() << "no response for " << target << ": " << httplib::to_string(result.error());
      return {};
    }
    return *result;
  }

  std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

  std::string Link(const std::string& id, const std::string& escapedTitle) const {
    return std::string(kCellLink) + Base() + id + ".html\" title=\"" + escapedTitle +
           "\" target=\"_blank\">" + escapedTitle + "</a></td>";
  }

  std::unique_ptr<SiteServer> server_;
  int port_ = 0;
  std::thread serving_;
  std::unique_ptr<httplib::Client> client_;
};

TEST_F(SiteServerTest, ResultPageHoldsExactlyTheMatchingLinksInCatalogueOrder) {
  struct Case {
    const char* name;
    std::string key;  // as it stands in the query
    std::vector<std::string> links;
  };
  const std::string tomAndJerry = "Tom &amp; &quot;Jerry&quot; &lt;Live&gt; &#39;s";
  const Case cases[] = {
      {"Chinese", "%E6%9C%88%E4%BA%AE", {Link("1000001", "月亮之上"), Link("1000004", "小月亮")}},
      {"LatinOtherCaseMatchesTitleAndSinger",
       "%6C%6F%76%65",
       {Link("1000002", "Love Song"), Link("1000004", "小月亮")}},
      {"Traditional", "%E6%A8%82", {Link("1000005", "華樂愛")}},
      {"EscapedTitle", "%54%6F%6D%20%26", {Link("1000003", tomAndJerry)}},
      {"Empty",
       "",
       {Link("1000001", "月亮之上"), Link("1000002", "Love Song"), Link("1000003", tomAndJerry),
        Link("1000004", "小月亮"), Link("1000005", "華樂愛")}},
      {"NoMatch", "%E6%B2%A1%E6%9C%89", {}},
      {"SingleDigitEscapeDecodesAsATab", "%4C%6F%76%65%9", {}},
      {"CutShortUtf8", "%E4%B8", {}},
      {"BadEscape", "%ZZ", {}},
      {"LonePercent", "%", {}},
      {"GbkInsteadOfUtf8", "%D4%C2%C1%C1", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const httplib::Response res = Get("/sfc.aspx?key=" + c.key + "&kind=1");
    EXPECT_EQ(res.status, 200);
    EXPECT_EQ(res.get_header_value("Content-Type"), "text/html; charset=utf-8");
    EXPECT_EQ(res.body.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(res.body.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(res.body.find("</html>"), std::string::npos);
    EXPECT_EQ(CellLinks(res.body), c.links);
  }
}

// The echoed key must not be able to forge a result link or break the page.
TEST_F(SiteServerTest, EchoedKeyIsEscapedAndCannotAddResults) {
  // <td class="ser_list_name"><a href=" percent-encoded
  const std::string forged =
      "%3C%74%64%20%63%6C%61%73%73%3D%22%73%65%72%5F%6C%69%73%74%5F%6E%61%6D%65%22%3E%3C%61%20%68"
      "%72%65%66%3D%22";
  const httplib::Response res = Get("/sfc.aspx?key=" + forged + "&kind=1");
  EXPECT_EQ(res.status, 200);
  EXPECT_TRUE(CellLinks(res.body).empty());
  EXPECT_NE(res.body.find("&lt;td class=&quot;ser_list_name&quot;&gt;"), std::string::npos);
}

TEST_F(SiteServerTest, SongPageShowsTitleSingerAndPlayerLink) {
  const httplib::Response res = Get("/1000003.html");
  EXPECT_EQ(res.status, 200);
  EXPECT_NE(res.body.find("Tom &amp; &quot;Jerry&quot; &lt;Live&gt; &#39;s"), std::string::npos);
  EXPECT_NE(res.body.find("歌手丙"), std::string::npos);
  EXPECT_NE(res.body.find("/player.swf?songtype=fc&amp;songid=1000003"), std::string::npos);

  EXPECT_EQ(Get("/9999999.html").status, 404);
}

TEST_F(SiteServerTest, PlayerPageOfAKnownSongPlaysAServedWavAtOnceInALoop) {
  const httplib::Response res = Get("/player.swf?songtype=fc&songid=1000002");
  ASSERT_EQ(res.status, 200);
  EXPECT_NE(res.body.find("Love Song"), std::string::npos);
  const std::size_t audio = res.body.find("<audio");
  ASSERT_NE(audio, std::string::npos);
  const std::string tag = res.body.substr(audio, res.body.find('>', audio) - audio);
  EXPECT_NE(tag.find(" autoplay"), std::string::npos) << tag;
  EXPECT_NE(tag.find(" loop"), std::string::npos) << tag;
  EXPECT_NE(res.body.find("width:256px;height:40px;overflow:hidden"), std::string::npos);

  const std::size_t src = tag.find("src=\"");
  ASSERT_NE(src, std::string::npos) << tag;
  const std::string clipPath = tag.substr(src + 5, tag.find('"', src + 5) - src - 5);
  const httplib::Response clip = Get(clipPath);
  ASSERT_EQ(clip.status, 200) << clipPath;
  EXPECT_EQ(clip.get_header_value("Content-Type"), "audio/wav");
  const test::Wav wav = test::ReadWav(clip.body);
  ASSERT_EQ(wav.error, "");
  EXPECT_EQ(wav.channels, 1);
  EXPECT_EQ(wav.bitsPerSample, 16);
  EXPECT_TRUE(std::any_of(wav.samples.begin(), wav.samples.end(), [](std::int16_t s) {
    return s > 8000 || s < -8000;
  })) << "clip is silent";
}

TEST_F(SiteServerTest, PlayerPageWithoutAKnownSongSaysSoAndPlaysNothing) {
  const char* queries[] = {
      "songtype=fc&songid=9999999",  // not in the catalogue
      "songtype=fc&songid=-1",       // what the program asks for with no line selected
      "songtype=fc&songid=0",
      "songtype=fc&songid=abc",
      "songtype=fc&songid=1000002x",
      "songtype=fc&songid=",
      "songtype=fc&songid=99999999999999999999999",
      "songtype=fc",
      "songtype=mp3&songid=1000002",
      "songid=1000002",
  };
  for (const char* query : queries) {
    SCOPED_TRACE(query);
    const httplib::Response res = Get(std::string("/player.swf?") + query);
    EXPECT_EQ(res.status, 404);
    EXPECT_NE(res.body.find("找不到这首歌"), std::string::npos);
    EXPECT_EQ(res.body.find("<audio"), std::string::npos);
  }
}

TEST_F(SiteServerTest, SongsHaveDifferentClipsAndUnknownClipsAreNotFound) {
  const httplib::Response first = Get("/audio/1000001.wav");
  const httplib::Response second = Get("/audio/1000002.wav");
  ASSERT_EQ(first.status, 200);
  ASSERT_EQ(second.status, 200);
  EXPECT_EQ(test::ReadWav(first.body).error, "");
  EXPECT_EQ(test::ReadWav(second.body).error, "");
  EXPECT_NE(first.body, second.body);
  EXPECT_EQ(Get("/audio/1000001.wav").body, first.body);  // served again from the cache
  EXPECT_EQ(Get("/audio/9999999.wav").status, 404);
}

// The program asks with HTTP/1.0 and its own headers; the page must come back
// whole, and the connection must close after it.
TEST_F(SiteServerTest, AnswersAnHttp10RequestAsTheProgramSendsIt) {
  const int sock = socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_GE(sock, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port_));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(connect(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const std::string request =
      "GET /sfc.aspx?key=%E5%B0%8F%E6%9C%88%E4%BA%AE&kind=1 HTTP/1.0\r\n"
      "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"
      "Host: 127.0.0.1:" +
      std::to_string(port_) +
      "\r\n"
      "Accept: */*\r\n"
      "Pragma: no-cache\r\n\r\n";
  ASSERT_EQ(send(sock, request.data(), request.size(), 0), static_cast<ssize_t>(request.size()));
  std::string response;
  char buffer[4096];
  for (ssize_t got; (got = recv(sock, buffer, sizeof buffer, 0)) > 0;) {
    response.append(buffer, static_cast<std::size_t>(got));
  }
  close(sock);
  EXPECT_EQ(response.rfind("HTTP/1.", 0), 0u);
  EXPECT_NE(response.find(" 200 "), std::string::npos);
  EXPECT_EQ(CellLinks(response), std::vector<std::string>{Link("1000004", "小月亮")});
  EXPECT_NE(response.find("</html>"), std::string::npos);
}

TEST(IsLoopbackHost, AcceptsOnlyLoopbackNames) {
  struct Case {
    const char* host;
    bool loopback;
  };
  const Case cases[] = {
      {"127.0.0.1", true}, {"127.1.2.3", true}, {"localhost", true},    {"LocalHost", true},
      {"::1", true},       {"0.0.0.0", false},  {"::", false},          {"128.0.0.1", false},
      {"10.0.0.1", false}, {"", false},         {"example.com", false}, {"127.0.0.1 ", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsLoopbackHost(c.host), c.loopback) << c.host;
}

TEST(SiteServer, RefusesToServeOnANonLoopbackHost) {
  EXPECT_THROW(SiteServer({}, "0.0.0.0"), std::invalid_argument);
}

TEST(SiteServer, RunReturnsAtOnceWhenStopCameFirst) {
  SiteServer server({}, "127.0.0.1");
  ASSERT_GT(server.Bind(0), 0);
  server.Stop();
  EXPECT_TRUE(server.Run());
}

TEST(SiteServer, BindingAPortInUseFails) {
  SiteServer first({}, "127.0.0.1");
  const int port = first.Bind(0);
  ASSERT_GT(port, 0);
  SiteServer second({}, "127.0.0.1");
  EXPECT_EQ(second.Bind(port), -1);
}

}  // namespace
}  // namespace qingyou::site
