#include "search/encodekeyword.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "text/codepage.h"

namespace qingyou {
namespace {

struct Case {
  const char* name;
  Text keyword;  // GBK
  const char* encoded;
};

TEST(EncodeKeyword, EveryUtf8ByteBecomesAnUpperCaseEscapeWithoutLeadingZero) {
  const Case cases[] = {
      {"empty", "", ""},
      {"ASCII and a space", "a b", "%61%20%62"},
      {"Chinese", Utf8ToGbk("中文"), "%E4%B8%AD%E6%96%87"},
      {"Chinese then space and letter", Utf8ToGbk("歌曲 a"), "%E6%AD%8C%E6%9B%B2%20%61"},
      {"tab is one digit", "\t", "%9"},
      {"bytes below 0x10 and from 0x10", "\x01\x0A\x0F\x10\x7F", "%1%A%F%10%7F"},
      {"spaces at both ends kept", Utf8ToGbk(" 中 "), "%20%E4%B8%AD%20"},
      {"letters kept in their case", "aZ+", "%61%5A%2B"},
      {"GBK character missing from GB 2312", Utf8ToGbk("a華"), "%61%E8%8F%AF"},
      {"GBK-only character alone", Utf8ToGbk("華語"), "%E8%8F%AF%E8%AA%9E"},
      {"pinyin letter", Utf8ToGbk("é"), "%C3%A9"},
      {"single-byte euro sign of GBK", "a\x80", "%61%E2%82%AC"},
      // One GBK byte that takes three in UTF-8, many times over.
      {"run of single-byte euro signs", "\x80\x80\x80\x80\x80\x80",
       "%E2%82%AC%E2%82%AC%E2%82%AC%E2%82%AC%E2%82%AC%E2%82%AC"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EncodeKeyword(c.keyword).str(), c.encoded);
  }
}

TEST(EncodeKeyword, EachAsciiCharacterMatchesItsHexValue) {
  for (int byte = 1; byte < 0x80; ++byte) {
    char expected[8];
    std::snprintf(expected, sizeof expected, "%%%X", byte);
    const char keyword[2] = {static_cast<char>(byte), '\0'};
    EXPECT_EQ(EncodeKeyword(Text(keyword)).str(), expected) << "byte " << byte;
  }
}

TEST(EncodeKeyword, KeywordThatIsNotGbkGivesEmptyAsAWhole) {
  const Case cases[] = {
      {"lead byte alone at the end", "ab\xD6", ""},
      {"lead byte followed by a space", "\xD6 a", ""},
      {"lead byte before a four-byte GB 18030 form", "\x81\x30\x81\x30", ""},
      {"byte 0xFF", "a\xFF", ""},
      {"valid Chinese before a bad byte is not kept", "\xD6\xD0\xCE\xC4\xFF", ""},
      {"valid ASCII after a bad pair is not kept",
       "\xD6\x7F"
       "abc",
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EncodeKeyword(c.keyword).str(), c.encoded);
  }
}

}  // namespace
}  // namespace qingyou
