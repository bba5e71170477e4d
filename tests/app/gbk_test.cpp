#include "app/gbk.h"

#include <gtest/gtest.h>

namespace qingyou {
namespace {

struct ToTextCase {
  const char* name;
  QString shown;
  const char* gbk;
};

class ToTextTest : public ::testing::TestWithParam<ToTextCase> {};

TEST_P(ToTextTest, GivesTheGbkBytes) {
  EXPECT_EQ(ToText(GetParam().shown).str(), std::string(GetParam().gbk));
}

INSTANTIATE_TEST_SUITE_P(
    Gbk, ToTextTest,
    ::testing::Values(
        ToTextCase{"Empty", QString(), ""},
        ToTextCase{"Ascii", QStringLiteral("abc 123"), "abc 123"},
        // 月亮 in GBK.
        ToTextCase{"Chinese", QStringLiteral("月亮"), "\xd4\xc2\xc1\xc1"},
        // The full-width colon of 信息：
        ToTextCase{"FullWidthColon", QStringLiteral("信息："), "\xd0\xc5\xcf\xa2\xa3\xba"},
        // A character GBK lacks costs only itself, never the rest.
        ToTextCase{"MissingCharacterBecomesQuestionMark", QStringLiteral("月\u20a9亮"),
                   "\xd4\xc2?\xc1\xc1"},
        ToTextCase{"CharacterOutsideBmpIsOneQuestionMark", QStringLiteral("a\U0001F3B5b"), "a?b"},
        ToTextCase{"LoneSurrogateIsOneQuestionMark", QString(QChar(0xD800)) + QStringLiteral("x"),
                   "?x"},
        // A Text ends at its first NUL, with or without a missing character.
        ToTextCase{"EndsAtNul", QStringLiteral("ab") + QChar(u'\0') + QStringLiteral("cd"), "ab"},
        ToTextCase{"EndsAtNulAfterMissingCharacter",
                   QStringLiteral("\u20a9b") + QChar(u'\0') + QStringLiteral("cd"), "?b"},
        ToTextCase{"LeadingNulIsEmpty", QString(QChar(u'\0')) + QStringLiteral("\u20a9"), ""}),
    [](const ::testing::TestParamInfo<ToTextCase>& p) { return std::string(p.param.name); });

TEST(Gbk, ToQStringShowsGbkAndMarksBrokenBytes) {
  EXPECT_EQ(ToQString(Text("\xd4\xc2\xc1\xc1")), QStringLiteral("月亮"));
  // A lead byte with nothing after it starts no character.
  EXPECT_EQ(ToQString(Text("a\xd4")), QStringLiteral("a\uFFFD"));
  EXPECT_TRUE(ToQString(Text()).isEmpty());
}

TEST(Gbk, ToQStringLinesBreaksAtEachCrLfOnly) {
  EXPECT_EQ(ToQStringLines(Text("a\r\nb\r\n\r\nc")), QStringLiteral("a\nb\n\nc"));
  EXPECT_EQ(ToQStringLines(Text("a\rb\nc")), QStringLiteral("a\rb\nc"));
}

}  // namespace
}  // namespace qingyou
