#include "search/onsearchclicked.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "search/vectorresultlist.h"
#include "tests/search/scopedenv.h"
#include "text/codepage.h"
#include "text/textops.h"

namespace qingyou {
namespace {

constexpr char kOriginPlaceholder[] = "@ORIGIN@";

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The search page of a song site on 127.0.0.1: answers /sfc.aspx with the
// page set last (its links pointing back at this site) and keeps every
// request target it saw.
class SearchPageServer {
 public:
  SearchPageServer() {
    server_.Get("/sfc.aspx", [this](const httplib::Request& request, httplib::Response& response) {
      std::lock_guard lock(mutex_);
      targets_.push_back(request.target);
      response.status = status_;
      response.set_content(ReplaceAll(body_, kOriginPlaceholder, Origin()),
                           "text/html; charset=utf-8");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ <= 0) throw std::runtime_error("no free port on 127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    // stop() before the listener runs would be lost and leave join() waiting.
    while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~SearchPageServer() {
    server_.stop();
    thread_.join();
  }
  SearchPageServer(const SearchPageServer&) = delete;
  SearchPageServer& operator=(const SearchPageServer&) = delete;

  [[nodiscard]] std::string Origin() const { return "http://127.0.0.1:" + std::to_string(port_); }
  [[nodiscard]] SongSite Site() const { return SongSite{Text::FromBytes(Origin())}; }

  // `utf8Body` may hold @ORIGIN@ where the site's own address belongs.
  void Serve(int status, std::string utf8Body) {
    std::lock_guard lock(mutex_);
    status_ = status;
    body_ = std::move(utf8Body);
  }
  [[nodiscard]] std::vector<std::string> Targets() const {
    std::lock_guard lock(mutex_);
    return targets_;
  }

 private:
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
  mutable std::mutex mutex_;
  int status_ = 200;
  std::string body_;
  std::vector<std::string> targets_;
};

struct Line {
  int value;
  std::string display;  // UTF-8
  friend bool operator==(const Line&, const Line&) = default;
};

std::vector<Line> LinesOf(const VectorResultList& list) {
  std::vector<Line> lines;
  for (const VectorResultList::Item& item : list.items()) {
    lines.push_back({item.value, GbkToUtf8(item.display)});
  }
  return lines;
}

std::string Show(const std::vector<Line>& lines) {
  std::string out;
  for (const Line& line : lines)
    out += "  " + std::to_string(line.value) + " [" + line.display + "]\n";
  return out;
}

// A list that still shows the last search and has a line selected, so that
// both the clearing and the current line after a search are seen.
VectorResultList ListFromEarlierSearch() {
  VectorResultList list;
  list.AddItem("1     stale", 1);
  list.AddItem("2     stale", 2);
  list.SetCurrentIndex(1);
  return list;
}

std::string SongLink(const std::string& id, const std::string& title) {
  return "<tr><td class=\"ser_list_name\"><a href=\"@ORIGIN@/" + id + ".html\" title=\"" + title +
         "\" target=\"_blank\">" + title + "</a></td></tr>\n";
}

std::string ResultPage(const std::string& rows) {
  return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>搜索</title></head><body>"
         "<table class=\"ser_list\">\n" +
         rows + "</table></body></html>";
}

class OnSearchClickedTest : public ::testing::Test {
 protected:
  // A proxy set on the machine running the tests would stand between the
  // search and the loopback site.
  qingyou::testing::ProxylessEnvironment proxyless_;
  SearchPageServer server_;
};

struct PageCase {
  const char* name;
  int status;
  std::string body;
  std::vector<Line> expected;
};

TEST_F(OnSearchClickedTest, ListsOneLinePerSongLinkOfThePage) {
  std::string tenAndBeyond;
  std::vector<Line> tenAndBeyondLines;
  for (int i = 1; i <= 12; ++i) {
    tenAndBeyond += SongLink(std::to_string(900 + i), "歌" + std::to_string(i));
    tenAndBeyondLines.push_back({900 + i, std::to_string(i) + "     歌" + std::to_string(i)});
  }
  const PageCase cases[] = {
      {"EmptyResultPageLeavesListEmpty",
       200,
       ResultPage("<tr><td class=\"ser_tip\">没有找到相关歌曲</td></tr>"),
       {}},
      {"NotFoundPageStillListsTheLinksInItsBody",
       404,
       ResultPage(SongLink("4242", "找不到也有歌")),
       {{4242, "1     找不到也有歌"}}},
      {"RepeatedIdGetsItsOwnNumberAndTheTitleOfItsFirstLink",
       200,
       ResultPage(SongLink("77", "第一") + SongLink("78", "第二") + SongLink("77", "第三")),
       {{77, "1     第一"}, {78, "2     第二"}, {77, "3     第一"}}},
      {"TitleWithoutItsEndMarkerIsEmptyButTheLineStays",
       200,
       ResultPage(SongLink("5", "五") +
                  "<tr><td class=\"ser_list_name\"><a href=\"@ORIGIN@/6.html\" title=\"断了"),
       {{5, "1     五"}, {6, "2     "}}},
      {"NumbersWidenFromTenWhileTheSeparatorStaysFiveSpaces", 200, ResultPage(tenAndBeyond),
       tenAndBeyondLines},
      // 0123 and 123 share a value but are different ids with their own titles.
      {"IdsConvertAsTextToIntDoes",
       200,
       ResultPage(SongLink("0123", "前导零") + SongLink("12ab", "尾随字母") +
                  SongLink("ab12", "开头字母") + SongLink("2147483648", "溢出") +
                  SongLink("123", "无前导零")),
       {{123, "1     前导零"},
        {12, "2     尾随字母"},
        {0, "3     开头字母"},
        {-2147483647 - 1, "4     溢出"},
        {123, "5     无前导零"}}},
  };
  for (const PageCase& c : cases) {
    SCOPED_TRACE(c.name);
    server_.Serve(c.status, c.body);
    VectorResultList list = ListFromEarlierSearch();
    OnSearchClicked("song", list, server_.Site());
    const std::vector<Line> lines = LinesOf(list);
    EXPECT_EQ(lines, c.expected) << "got:\n" << Show(lines) << "want:\n" << Show(c.expected);
    EXPECT_EQ(list.CurrentIndex(), -1);
  }
}

TEST_F(OnSearchClickedTest, FullResultPageGivesItsExpectedLines) {
  const std::string data = QINGYOU_RESULTS_TEST_DATA;
  server_.Serve(200, ReadFile(data + "/results_page.html"));
  std::vector<Line> expected;
  std::istringstream file(ReadFile(data + "/results_page.expected"));
  for (std::string row; std::getline(file, row);) {
    const std::size_t tab = row.find('\t');
    ASSERT_NE(tab, std::string::npos) << row;
    expected.push_back({std::stoi(row.substr(0, tab)), row.substr(tab + 1)});
  }
  ASSERT_EQ(expected.size(), 20u);

  VectorResultList list = ListFromEarlierSearch();
  OnSearchClicked(Utf8ToGbk("晴天"), list, server_.Site());
  const std::vector<Line> lines = LinesOf(list);
  EXPECT_EQ(lines, expected) << "got:\n" << Show(lines);
  EXPECT_EQ(list.CurrentIndex(), -1);
}

struct KeywordCase {
  const char* name;
  Text keyword;
  std::string target;
};

TEST_F(OnSearchClickedTest, RequestCarriesTheEncodedKeywordAsTypedAndKind1) {
  server_.Serve(200, ResultPage(SongLink("1", "一")));
  const KeywordCase cases[] = {
      {"Chinese", Utf8ToGbk("晴天"), "/sfc.aspx?key=%E6%99%B4%E5%A4%A9&kind=1"},
      {"SpacesAreNotTrimmed", " a ", "/sfc.aspx?key=%20%61%20&kind=1"},
      {"EmptyBoxStillSearches", "", "/sfc.aspx?key=&kind=1"},
  };
  for (const KeywordCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t before = server_.Targets().size();
    VectorResultList list = ListFromEarlierSearch();
    OnSearchClicked(c.keyword, list, server_.Site());
    const std::vector<std::string> targets = server_.Targets();
    ASSERT_EQ(targets.size(), before + 1);
    EXPECT_EQ(targets.back(), c.target);
    EXPECT_EQ(LinesOf(list), (std::vector<Line>{{1, "1     一"}}));
  }
}

TEST_F(OnSearchClickedTest, KeywordThatCannotBeEncodedSendsNoRequestAndLeavesListEmpty) {
  server_.Serve(200, ResultPage(SongLink("1", "与关键词无关的歌")));
  const Text keywords[] = {"abc\x81", "\xFF\xFE"};
  for (const Text& keyword : keywords) {
    SCOPED_TRACE(keyword.str());
    VectorResultList list = ListFromEarlierSearch();
    OnSearchClicked(keyword, list, server_.Site());
    EXPECT_TRUE(list.items().empty()) << Show(LinesOf(list));
    EXPECT_EQ(list.CurrentIndex(), -1);
  }
  EXPECT_TRUE(server_.Targets().empty());
}

// A bound socket that never listens: connections to its port are refused,
// and no other program can take the port while the test runs.
class RefusingPort {
 public:
  RefusingPort() : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
      throw std::runtime_error("cannot bind a port on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
  }
  ~RefusingPort() {
    if (fd_ >= 0) close(fd_);
  }
  RefusingPort(const RefusingPort&) = delete;
  RefusingPort& operator=(const RefusingPort&) = delete;
  [[nodiscard]] int port() const { return port_; }

 private:
  int fd_;
  int port_ = 0;
};

TEST(OnSearchClicked, FailedFetchLeavesListEmpty) {
  // Through a proxy the fetch would fail at the proxy instead of the port.
  const qingyou::testing::ProxylessEnvironment proxyless;
  const RefusingPort refusing;
  VectorResultList list = ListFromEarlierSearch();
  OnSearchClicked("song", list,
                  SongSite{Text::FromBytes("http://127.0.0.1:" + std::to_string(refusing.port()))});
  EXPECT_TRUE(list.items().empty()) << Show(LinesOf(list));
  EXPECT_EQ(list.CurrentIndex(), -1);
}

// Refuses its second line, as a list control out of room would.
class ListRefusingSecondLine : public VectorResultList {
 public:
  int AddItem(const Text& display, int value) override {
    if (++offered_ == 2) return -1;
    return VectorResultList::AddItem(display, value);
  }

 private:
  int offered_ = 0;
};

TEST_F(OnSearchClickedTest, RefusedLineIsMissingAndLaterLinesKeepTheirNumbers) {
  server_.Serve(200, ResultPage(SongLink("1", "一") + SongLink("2", "二") + SongLink("3", "三")));
  ListRefusingSecondLine list;
  OnSearchClicked("song", list, server_.Site());
  EXPECT_EQ(LinesOf(list), (std::vector<Line>{{1, "1     一"}, {3, "3     三"}}));
}

}  // namespace
}  // namespace qingyou
