#include "text/codepage.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "tests/text/testsupport.h"

namespace qingyou {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

TEST(Utf8ToGbk, ConvertsOrGivesEmptyForTheWholeText) {
  struct Case {
    const char* name;
    std::string_view utf8;
    Text expected;
  };
  const Case cases[] = {
      {"Chinese", "中文", "\xD6\xD0\xCE\xC4"},
      {"ASCII", "abc", "abc"},
      {"full-width colon and digit", "：１", "\xA3\xBA\xA3\xB1"},
      {"mixed", "a中b",
       "a\xD6\xD0"
       "b"},
      {"empty", "", ""},
      {"invalid UTF-8 empties everything", "ab\xC3\x28", ""},
      {"truncated sequence", "a\xE4\xB8", ""},
      {"character GBK lacks", "a\xF0\x9F\x98\x80", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToGbk(c.utf8), c.expected) << c.name;
}

TEST(GbkToUtf8, MarksEachByteThatFormsNoCharacter) {
  const std::string r(kReplacement);
  struct Case {
    const char* name;
    std::string_view gbk;
    std::string expected;
  };
  const Case cases[] = {
      {"Chinese", "\xD6\xD0\xCE\xC4", "中文"},
      {"empty", "", ""},
      {"lead byte at the end", "a\x81", "a" + r},
      {"byte that starts nothing",
       "a\xFF"
       "b",
       "a" + r + "b"},
      {"bad byte between characters", "\xD6\xD0\xFF\xCE\xC4", "中" + r + "文"},
      {"lead byte before ASCII keeps the ASCII", "\x81 x", r + " x"},
  };
  for (const Case& c : cases) EXPECT_EQ(GbkToUtf8(c.gbk), c.expected) << c.name;
}

TEST(Codepage, EveryGbkCharacterSurvivesTheRoundTrip) {
  // Every two-byte code that converts on its own, joined into one long text so
  // that the converters also see input larger than any first guess of size.
  std::string table;
  int characters = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      const char pair[] = {static_cast<char>(lead), static_cast<char>(trail)};
      const std::string utf8 = GbkToUtf8(std::string_view(pair, 2));
      if (utf8.find(kReplacement) != std::string::npos) continue;
      ASSERT_EQ(Utf8ToGbk(utf8).view(), std::string_view(pair, 2)) << Escaped({pair, 2});
      table.append(pair, 2);
      ++characters;
    }
  }
  // GBK has well over 20000 characters; far fewer means the converter is not
  // the one we think.
  EXPECT_GT(characters, 20000);
  const std::string utf8 = GbkToUtf8(table);
  EXPECT_EQ(utf8.find(kReplacement), std::string::npos);
  EXPECT_EQ(Utf8ToGbk(utf8).view(), std::string_view(table));
}

}  // namespace
}  // namespace qingyou
