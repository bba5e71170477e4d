#include "search/fetchurl.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace qingyou {
namespace {

struct SplitCase {
  std::string url;
  std::optional<std::string> split;  // FetchUrl::ToString(), or nothing
};

TEST(SplitFetchUrl, SplitsLiterallyAndRebuildsTheSameUrl) {
  const SplitCase cases[] = {
      {"http://h/sfc.aspx?key=%E4%B8%AD&kind=1", "http://h/sfc.aspx?key=%E4%B8%AD&kind=1"},
      {"HTTPS://Host.Example:8443/A?B", "https://Host.Example:8443/A?B"},
      {"http://h", "http://h/"},
      {"http://h:", "http://h/"},
      {"http://h?q=1", "http://h/?q=1"},
      {"http://h#f", "http://h/"},
      {"http://h/a/./b/../../c/./d?e=./f/../g#h", "http://h/c/d?e=./f/../g"},
      {"http://u:p@h:80/x", "http://u:p@h:80/x"},
      {"http://u@h/x", "http://u@h/x"},
      {"http://[::1]:8080/x", "http://[::1]:8080/x"},
      {"http://[::1]/x", "http://[::1]/x"},
      {"http://h/%7e%2F+", "http://h/%7e%2F+"},
      {"", std::nullopt},
      {"ftp://h/", std::nullopt},
      {"httpx://h/", std::nullopt},
      {"http:h/", std::nullopt},
      {"http://", std::nullopt},
      {"http:///x", std::nullopt},
      {"http://:80/", std::nullopt},
      {"http://h:0/", std::nullopt},
      {"http://h:65536/", std::nullopt},
      {"http://h:8a/", std::nullopt},
      {"http://a@b@h/", std::nullopt},
      {"http://[::1/", std::nullopt},
      {"http://[::1]x/", std::nullopt},
      {"http://h\\x/", std::nullopt},
      {"http://h/a b", std::nullopt},
      {"http://h/a\x7F", std::nullopt},
      {"http://h/\xD6\xD0", std::nullopt},
      {"http://h/?k=\x80", std::nullopt},
      {"http://h/a\r\nX-Injected: 1", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    const auto parts = SplitFetchUrl(c.url);
    ASSERT_EQ(parts.has_value(), c.split.has_value());
    if (parts) {
      EXPECT_EQ(parts->ToString(), *c.split);
    }
  }
}

TEST(SplitFetchUrl, PartsAreCutAtTheirBoundaries) {
  const auto parts = SplitFetchUrl("http://user:pw@example.org:8080/a/../b?x=1#y");
  ASSERT_TRUE(parts);
  EXPECT_EQ(parts->scheme, "http");
  EXPECT_EQ(parts->userInfo, "user:pw");
  EXPECT_EQ(parts->host, "example.org");
  EXPECT_EQ(parts->port, "8080");
  EXPECT_EQ(parts->target, "/b?x=1");
}

TEST(SplitFetchUrl, EachLimitAllowsItsLengthAndRefusesOneMore) {
  struct Case {
    const char* name;
    std::string url;
    bool splits;
  };
  const std::string target2047 = "/" + std::string(2046, 't');
  const Case cases[] = {
      {"host 255", "http://" + std::string(255, 'h') + "/", true},
      {"host 256", "http://" + std::string(256, 'h') + "/", false},
      {"target 2047", "http://h" + target2047, true},
      {"target 2048", "http://h" + target2047 + "t", false},
      {"target counted after dot segments", "http://h/a/b/../.." + target2047, true},
      {"query counts", "http://h" + target2047 + "?", false},
      {"fragment does not count", "http://h" + target2047 + "#frag", true},
      {"user 127", "http://" + std::string(127, 'u') + "@h/", true},
      {"user 128", "http://" + std::string(128, 'u') + "@h/", false},
      {"password 127", "http://u:" + std::string(127, 'p') + "@h/", true},
      {"password 128", "http://u:" + std::string(128, 'p') + "@h/", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SplitFetchUrl(c.url).has_value(), c.splits);
  }
}

TEST(RemoveDotSegments, ResolvesLikeTheUrlStandardExamples) {
  struct Case {
    const char* path;
    const char* resolved;
  };
  const Case cases[] = {
      {"/a/b/c/./../../g", "/a/g"},
      {"/mid/content=5/../6", "/mid/6"},
      {"/./a", "/a"},
      {"/../a", "/a"},
      {"/a/..", "/"},
      {"/a/.", "/a/"},
      {"/a/b/", "/a/b/"},
      {"/a/.../b", "/a/.../b"},
      {"/a/..b/.c", "/a/..b/.c"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RemoveDotSegments(c.path), c.resolved) << c.path;
  }
}

}  // namespace
}  // namespace qingyou
