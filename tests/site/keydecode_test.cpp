#include "site/keydecode.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace qingyou::site {
namespace {

template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& param) {
  return param.param.name;
}

struct DecodeCase {
  const char* name;
  std::string raw;
  std::optional<std::string> expected;  // nullopt: malformed
};

const DecodeCase kDecodeCases[] = {
    {"Empty", "", std::string()},
    {"TwoDigitEscapes", "%E4%B8%AD%E6%96%87", std::string("中文")},
    {"LowerCaseDigits", "%e4%b8%ad", std::string("中")},
    {"SingleDigitAlone", "%9", std::string("\t")},
    {"SingleDigitBeforeEscape", "%9%61", std::string("\ta")},
    {"SingleDigitAtEnd", "%61%9", std::string("a\t")},
    {"SingleDigitsInARow", "%1%2%3", std::string("\x01\x02\x03")},
    {"SingleDigitBeforePlainLetter", "%4x", std::string("\x04x")},
    {"ZeroIsANulByte", "%0", std::string(1, '\0')},
    // A hex digit after an escape digit extends the escape: the program never
    // sends a bare digit there, everyone else means the two-digit form.
    {"DigitAfterEscapeDigitIsTwoDigits", "%9A", std::string("\x9A")},
    {"ThirdCharacterStandsForItself", "%41B", std::string("AB")},
    {"PlusIsSpace", "a+b", std::string("a b")},
    {"EscapedPlusIsPlus", "%2B", std::string("+")},
    {"PlainBytesPassThrough", "Love", std::string("Love")},
    {"PercentAlone", "%", std::nullopt},
    {"PercentAtEnd", "abc%", std::nullopt},
    {"NonHexAfterPercent", "%ZZ", std::nullopt},
    {"NonHexThenHex", "%G1", std::nullopt},
    {"DoublePercent", "%%41", std::nullopt},
    {"SingleDigitThenBarePercent", "%9%", std::nullopt},
};

// Test names and failure messages show the case's name, not its bytes.
void PrintTo(const DecodeCase& c, std::ostream* out) {
  *out << c.name;
}

class PercentDecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(PercentDecodeTest, DecodesTheProgramsEscapesAndRejectsBrokenOnes) {
  EXPECT_EQ(PercentDecode(GetParam().raw), GetParam().expected) << "raw: " << GetParam().raw;
}

INSTANTIATE_TEST_SUITE_P(Cases, PercentDecodeTest, testing::ValuesIn(kDecodeCases),
                         CaseName<DecodeCase>);

struct Utf8Case {
  const char* name;
  std::string bytes;
  bool valid;
};

const Utf8Case kUtf8Cases[] = {
    {"Empty", "", true},
    {"Ascii", "Love & Rain", true},
    {"Chinese", "月亮", true},
    {"TwoByte", "\xC2\xA9", true},
    {"FourByte", "\xF0\x9D\x84\x9E", true},
    {"HighestCodePoint", "\xF4\x8F\xBF\xBF", true},
    {"TruncatedAtEnd", "\xE4\xB8", false},
    {"TruncatedBeforeAscii",
     "\xE4\xB8"
     "a",
     false},
    {"StrayContinuation", "\x80", false},
    {"OverlongSlash", "\xC0\xAF", false},
    {"OverlongThreeByte", "\xE0\x80\xAF", false},
    {"Surrogate", "\xED\xA0\x80", false},
    {"BeyondUnicode", "\xF4\x90\x80\x80", false},
    {"FiveByteLead", "\xF8\x88\x80\x80\x80", false},
    {"ByteFF", "\xFF", false},
    {"GbkBytes", "\xD6\xD0", false},
};

void PrintTo(const Utf8Case& c, std::ostream* out) {
  *out << c.name;
}

class IsValidUtf8Test : public testing::TestWithParam<Utf8Case> {};

TEST_P(IsValidUtf8Test, AcceptsOnlyWellFormedSequences) {
  EXPECT_EQ(IsValidUtf8(GetParam().bytes), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Cases, IsValidUtf8Test, testing::ValuesIn(kUtf8Cases), CaseName<Utf8Case>);

TEST(RawQueryValue, FindsTheFirstParameterOfExactlyThatName) {
  struct Case {
    const char* query;
    const char* name;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"key=%E4&kind=1", "key", "%E4"}, {"kind=1&key=x", "key", "x"},
      {"keys=1&key=2", "key", "2"},     {"key=a&key=b", "key", "a"},
      {"key=a=b", "key", "a=b"},        {"key&kind=1", "key", ""},
      {"key=&kind=1", "key", ""},       {"kind=1", "key", std::nullopt},
      {"", "key", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<std::string_view> value = RawQueryValue(c.query, c.name);
    EXPECT_EQ(value ? std::optional<std::string>(*value) : std::nullopt, c.expected)
        << "query: " << c.query;
  }
}

TEST(SearchKey, IsEmptyWhenAbsentAndNulloptWhenEscapesOrUtf8AreBroken) {
  EXPECT_EQ(SearchKey("kind=1"), std::string());
  EXPECT_EQ(SearchKey("key=%9&kind=1"), std::string("\t"));
  EXPECT_EQ(SearchKey("key=%E6%9C%88&kind=1"), std::string("月"));
  EXPECT_EQ(SearchKey("key=%E4%B8&kind=1"), std::nullopt);  // escapes fine, UTF-8 cut short
  EXPECT_EQ(SearchKey("key=%ZZ&kind=1"), std::nullopt);
  EXPECT_EQ(SearchKey("key=%D6%D0&kind=1"), std::nullopt);  // GBK, not UTF-8
}

}  // namespace
}  // namespace qingyou::site
