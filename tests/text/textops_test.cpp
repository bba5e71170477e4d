#include "text/textops.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "tests/text/testsupport.h"

namespace qingyou {
namespace {

// Two identical GBK characters "啊啊": B0 A1 B0 A1. The pair A1 B0 stands in
// the middle but straddles the two characters.
constexpr const char* kTwoAh = "\xB0\xA1\xB0\xA1";

TEST(TextLength, CountsBytesNotCharacters) {
  EXPECT_EQ(TextLength(""), 0);
  EXPECT_EQ(TextLength("abc"), 3);
  EXPECT_EQ(TextLength(Gbk("中文a")), 5);
}

TEST(TextConcat, JoinsOperandsInOrderAndSkipsEmptyOnes) {
  EXPECT_EQ(TextConcat(Text("ab")), Text("ab"));
  EXPECT_EQ(TextConcat(Text(""), "", Text("")), Text(""));
  EXPECT_EQ(TextConcat(Text("a"), "", Text("b"), "cd", Gbk("中")), Text("abcd\xD6\xD0"));
  EXPECT_EQ(TextConcat(Gbk("中"), Gbk("文")), Gbk("中文"));
  const char* absent = nullptr;
  EXPECT_EQ(TextConcat(Text("a"), absent, "b"), Text("ab"));
}

TEST(TextCompare, OrdersByUnsignedBytesWithPrefixFirst) {
  struct Case {
    const char* name;
    Text a;
    Text b;
    int expected;
  };
  const Case cases[] = {
      {"both empty", "", "", 0},
      {"empty before anything", "", "a", -1},
      {"anything after empty", "a", "", 1},
      {"equal", "abc", "abc", 0},
      {"first differing byte decides", "abz", "aca", -1},
      {"proper beginning sorts first", "ab", "abc", -1},
      {"longer after its beginning", "abc", "ab", 1},
      // A signed-char comparison would put 0x80 before 'a'.
      {"high bytes after ASCII", "\x80", "a", 1},
      {"high bytes compared unsigned", "\xB0\xA1", "\xD6\xD0", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(TextCompare(c.a, c.b), c.expected) << c.name;
}

TEST(TextLeft, CutsExactByteCounts) {
  struct Case {
    const char* name;
    Text text;
    int count;
    Text expected;
  };
  const Case cases[] = {
      {"zero", "abc", 0, ""},
      {"negative", "abc", -1, ""},
      {"INT_MIN", "abc", INT_MIN, ""},
      {"part", "abc", 2, "ab"},
      {"all", "abc", 3, "abc"},
      {"more than there is", "abc", 10, "abc"},
      {"INT_MAX", "abc", INT_MAX, "abc"},
      {"empty text", "", 5, ""},
      {"may split a two-byte character", "\xD6\xD0\xCE\xC4", 3, "\xD6\xD0\xCE"},
  };
  for (const Case& c : cases) EXPECT_EQ(TextLeft(c.text, c.count), c.expected) << c.name;
}

TEST(TextMid, CutsFromOneBasedStartAndGivesEmptyOutsideTheText) {
  struct Case {
    const char* name;
    int start;
    int count;
    Text expected;
  };
  // Over "abcdef" (length 6).
  const Case cases[] = {
      {"from the first byte", 1, 2, "ab"},
      {"from the middle", 3, 2, "cd"},
      {"last byte", 6, 1, "f"},
      {"count beyond the rest gives the rest", 4, 100, "def"},
      {"count INT_MAX gives the rest", 2, INT_MAX, "bcdef"},
      {"start 0 is not moved to 1", 0, 3, ""},
      {"start below 1 even when start + count reaches in", -2, 10, ""},
      {"start INT_MIN", INT_MIN, INT_MAX, ""},
      {"start one past the end", 7, 1, ""},
      {"start INT_MAX", INT_MAX, 1, ""},
      {"count 0", 2, 0, ""},
      {"count negative", 2, -1, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextMid("abcdef", c.start, c.count), c.expected) << c.name;
  }
  EXPECT_EQ(TextMid("", 1, 1), Text(""));
  EXPECT_EQ(TextMid(kTwoAh, 2, 2), Text("\xA1\xB0")) << "cutting counts bytes, not characters";
}

TEST(TextFind, FollowsPositionRangeAndCharacterRules) {
  struct Case {
    const char* name;
    Text text;
    Text sought;
    std::optional<int> start;
    bool caseInsensitive;
    int expected;
  };
  const Case cases[] = {
      {"found", "xxab", "ab", {}, false, 3},
      {"first occurrence wins", "abab", "ab", {}, false, 1},
      {"absent", "abc", "x", {}, false, -1},
      {"sought longer than text", "ab", "abc", {}, false, -1},
      {"sought equal to text", "abc", "abc", {}, false, 1},
      {"at the very end", "abcd", "cd", {}, false, 3},
      {"empty text", "", "a", {}, false, -1},
      {"empty sought in non-empty text", "abc", "", {}, false, 1},
      {"empty sought in empty text", "", "", {}, false, -1},
      {"empty sought gives 1, not the start", "abcd", "", 3, false, 1},
      {"empty sought with start past the end", "abc", "", 4, false, -1},
      {"start skips an earlier occurrence", "abab", "ab", 2, false, 3},
      {"start on the occurrence", "abab", "ab", 3, false, 3},
      {"start on the last byte", "abc", "c", 3, false, 3},
      {"start past the last byte", "abc", "c", 4, false, -1},
      {"start INT_MAX", "abc", "c", INT_MAX, false, -1},
      {"start 0 searches from the first byte", "abc", "a", 0, false, 1},
      {"negative start searches from the first byte", "abc", "a", -7, false, 1},
      {"start INT_MIN searches from the first byte", "abc", "a", INT_MIN, false, 1},
      {"after a two-byte character",
       "\xD6\xD0"
       "ab",
       "ab",
       {},
       false,
       3},
      {"a two-byte character itself", "a\xD6\xD0\xCE\xC4", "\xCE\xC4", {}, false, 4},
      {"pair straddling two characters is not found", kTwoAh, "\xA1\xB0", {}, false, -1},
      {"the same pair as one character is found", kTwoAh, "\xB0\xA1", {}, false, 1},
      {"characters are counted from the range start", kTwoAh, "\xA1\xB0", 2, false, 2},
      {"ASCII second byte of a pair is not a character", "\x81\x41\x41", "A", {}, false, 3},
      {"lone lead byte swallows the next byte",
       "\xB0"
       "ab",
       "a",
       {},
       false,
       -1},
      {"byte after the swallowed one is found",
       "\xB0"
       "ab",
       "b",
       {},
       false,
       3},
      {"lead byte in last position is still compared", "ab\xB0", "\xB0", {}, false, 3},
      {"lead byte in last position ends the search", "a\xB0", "b", {}, false, -1},
      {"case-sensitive by default", "Hello World", "WORLD", {}, false, -1},
      {"case-insensitive finds the other case", "Hello World", "WORLD", {}, true, 7},
      {"case-insensitive first letter either case", "xAbab", "AB", {}, true, 2},
      {"case-insensitive lower finds upper", "xxABC", "abc", {}, true, 3},
      {"case-insensitive non-letter first byte", "x-A", "-a", {}, true, 2},
      {"case-insensitive keeps character steps",
       "\xB0"
       "aA",
       "a",
       {},
       true,
       3},
      // 0xC1/0xE1 differ by 0x20 like ASCII cases; they must not be folded.
      {"case-insensitive leaves high bytes exact", "\xE1\xC1", "\xC1\xC1", {}, true, -1},
      {"case-insensitive leaves high bytes exact too", "\xC1\xE1", "\xC1\xC1", {}, true, -1},
      {"case-insensitive with start", "aXax", "AX", 2, true, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextFind(c.text, c.sought, c.start, c.caseInsensitive), c.expected) << c.name;
  }
}

TEST(TextFind, FindsInMixedGbkText) {
  const Text page = Gbk("歌曲：<a href=\"1.html\">月亮代表我的心</a>");
  EXPECT_EQ(TextFind(page, "<a "), 7);
  EXPECT_EQ(TextFind(page, Gbk("我的")), 32);
  EXPECT_EQ(TextFind(page, Gbk("你")), -1);
}

std::vector<Text> Elements(const TextArray& array) {
  return {array.begin(), array.end()};
}

TEST(TextSplit, KeepsEmptyFirstPieceAndDropsEmptyLastOne) {
  struct Case {
    const char* name;
    Text text;
    std::optional<Text> separator;
    std::optional<int> maxCount;
    std::vector<Text> expected;
  };
  const Case cases[] = {
      {"default separator is a comma", "a,b,c", {}, {}, {"a", "b", "c"}},
      {"leading separator gives an empty first piece", ",a", {}, {}, {"", "a"}},
      {"trailing separator gives no empty last piece", "a,", {}, {}, {"a"}},
      {"only the separator", ",", {}, {}, {""}},
      {"two separators", ",,", {}, {}, {"", ""}},
      {"adjacent separators give an empty piece", "a,,b", {}, {}, {"a", "", "b"}},
      {"no separator", "abc", {}, {}, {"abc"}},
      {"empty text", "", {}, {}, {}},
      {"given empty separator keeps the whole text", "a,b", Text(""), {}, {"a,b"}},
      {"empty text with empty separator", "", Text(""), {}, {}},
      {"longer separator", "x<br>y<br>", Text("<br>"), {}, {"x", "y"}},
      {"separator longer than text", "ab", Text("abc"), {}, {"ab"}},
      {"separator is the whole text", "ab", Text("ab"), {}, {""}},
      {"maxCount 2 over three separators", "a,b,c,d", {}, 2, {"a", "b"}},
      {"maxCount keeps the last piece of fewer separators", "a,b", {}, 2, {"a", "b"}},
      {"maxCount 1 stops at the first separator", "a,b", {}, 1, {"a"}},
      {"maxCount 1 without separator", "ab", {}, 1, {"ab"}},
      {"maxCount with trailing separator", "a,b,", {}, 3, {"a", "b"}},
      {"maxCount 0 gives nothing", "a,b", {}, 0, {}},
      {"negative maxCount counts as 0", "a,b", {}, -3, {}},
      {"maxCount larger than the pieces", "a,b,c", {}, 100, {"a", "b", "c"}},
      {"separator straddling two characters is not one", kTwoAh, Text("\xA1\xB0"), {}, {kTwoAh}},
      {"ASCII second byte of a pair is no separator", "\x81,a,b", {}, {}, {"\x81,a", "b"}},
      {"lead byte in last position stays in the last piece", "a,\xB0", {}, {}, {"a", "\xB0"}},
      {"lead byte in last position can be the separator", "a\xB0", Text("\xB0"), {}, {"a"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Elements(TextSplit(c.text, c.separator, c.maxCount)), c.expected) << c.name;
  }
}

TEST(TextSplit, SplitsGbkTextAtAFullWidthSeparator) {
  EXPECT_EQ(Elements(TextSplit(Gbk("甲，乙，，丙"), Gbk("，"))),
            (std::vector<Text>{Gbk("甲"), Gbk("乙"), "", Gbk("丙")}));
}

TEST(TextSplit, LeavesItsOperandsUnchanged) {
  const Text text = "a;b";
  const Text separator = ";";
  const TextArray pieces = TextSplit(text, separator);
  EXPECT_EQ(text, Text("a;b"));
  EXPECT_EQ(separator, Text(";"));
  EXPECT_EQ(Count(pieces), 2);
}

TEST(TextToInt, ParsesLeadingSignedDecimalAfterFoldingFullWidthForms) {
  struct Case {
    const char* name;
    Text text;
    int expected;
  };
  const Case cases[] = {
      {"plain", "123", 123},
      {"leading spaces, sign and trailing letters", "  -42abc", -42},
      {"plus sign", "+7", 7},
      {"every white space byte", "\t\n\v\f\r 5", 5},
      {"no digits", "abc", 0},
      {"empty", "", 0},
      {"sign alone", "-", 0},
      {"space after sign stops", "- 5", 0},
      {"two signs stop", "--5", 0},
      {"leading zeros", "007", 7},
      {"stops at the first non-digit", "12.5", 12},
      {"no hexadecimal", "0x1F", 0},
      {"INT_MAX", "2147483647", INT_MAX},
      {"INT_MIN", "-2147483648", INT_MIN},
      {"one past INT_MAX wraps", "2147483648", INT_MIN},
      {"2^32 + 1 wraps to 1", "4294967297", 1},
      {"far beyond wraps modulo 2^32", "99999999999", 1215752191},
      {"negative wraps too", "-4294967295", 1},
      {"full-width digits", "\xA3\xB1\xA3\xB2\xA3\xB3", 123},
      {"full-width minus", "\xA3\xAD\xA3\xB5", -5},
      {"full-width plus",
       "\xA3\xAB"
       "8",
       8},
      {"full-width space",
       "\xA1\xA1"
       "12",
       12},
      {"mixed half and full-width digits",
       "1\xA3\xB2"
       "2",
       122},
      {"other two-byte character stops",
       "12\xD6\xD0"
       "3",
       12},
      {"two-byte character with ASCII second byte stops",
       "\x81\x35"
       "7",
       0},
      {"0xA3 with a byte outside A1..FE is no digit", "\xA3\x31", 0},
      {"lead byte in last position is dropped", "12\xB0", 12},
      // Folded "~" and "*" are ordinary bytes: they end the number.
      {"full-width tilde",
       "3\xA1\xAB"
       "4",
       3},
      {"full-width star",
       "3\xA1\xEE"
       "4",
       3},
  };
  for (const Case& c : cases) EXPECT_EQ(TextToInt(c.text), c.expected) << c.name;
}

TEST(IntToText, WritesPlainDecimal) {
  struct Case {
    int value;
    Text expected;
  };
  const Case cases[] = {
      {0, "0"},
      {7, "7"},
      {-7, "-7"},
      {1000, "1000"},
      {-10, "-10"},
      {INT_MAX, "2147483647"},
      {INT_MIN, "-2147483648"},
  };
  for (const Case& c : cases) EXPECT_EQ(IntToText(c.value), c.expected) << c.value;
}

TEST(IntToHexText, WritesUnsignedUpperCaseHexWithoutLeadingZeros) {
  struct Case {
    int value;
    Text expected;
  };
  const Case cases[] = {
      {0, "0"},
      {10, "A"},
      {15, "F"},
      {16, "10"},
      {255, "FF"},
      {256, "100"},
      {-1, "FFFFFFFF"},
      {INT_MIN, "80000000"},
      {0x1234ABCD, "1234ABCD"},
      {INT_MAX, "7FFFFFFF"},
  };
  for (const Case& c : cases) EXPECT_EQ(IntToHexText(c.value), c.expected) << c.value;
}

TEST(TextToBytes, CopiesBytesWithoutTerminator) {
  EXPECT_EQ(TextToBytes(""), ByteString());
  EXPECT_EQ(TextToBytes(Gbk("中a")), Bytes("\xD6\xD0"
                                           "a"));
  EXPECT_EQ(TextToBytes("ab").size(), 2u);
}

TEST(BlankText, GivesSpacesOrNothing) {
  EXPECT_EQ(BlankText(0), Text(""));
  EXPECT_EQ(BlankText(-1), Text(""));
  EXPECT_EQ(BlankText(INT_MIN), Text(""));
  EXPECT_EQ(BlankText(3), Text("   "));
}

}  // namespace
}  // namespace qingyou
