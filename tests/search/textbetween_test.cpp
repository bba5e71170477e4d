#include "search/textbetween.h"

#include <gtest/gtest.h>

namespace qingyou {
namespace {

struct BetweenCase {
  const char* name;
  Text page;
  Text left;
  Text right;
  Text expected;
};

const BetweenCase kBetweenCases[] = {
    {"BytesBetweenTheMarkers", "a[L]mid[R]z", "[L]", "[R]", "mid"},
    {"TouchingMarkersGiveEmpty", "a[L][R]z", "[L]", "[R]", ""},
    {"RightMarkerOnlyBeforeLeftGivesEmpty", "[R]x[L]y", "[L]", "[R]", ""},
    {"LeftMarkerEndingThePageGivesEmpty", "x[L]", "[L]", "[R]", ""},
    // The old arithmetic carried the -1 on and gave "abcdef" here.
    {"AbsentLeftMarkerGivesEmptyNotBytesFromElsewhere", "abcdef[R]", "zz", "[R]", ""},
    {"AbsentOneByteLeftMarkerGivesEmpty", "abc[R]", "z", "[R]", ""},
    {"EmptyLeftMarkerStandsAtPageStart", "ab[R]c[R]", "", "[R]", "ab"},
    {"EmptyLeftMarkerWithoutRightMarkerGivesEmpty", "abc", "", "[R]", ""},
    {"EmptyRightMarkerGivesEmpty", "a[L]mid[R]", "[L]", "", ""},
    {"EmptyPageGivesEmpty", "", "", "[R]", ""},
    {"OnlyFirstLeftMarkerCounts", "[L]one[R][L]two[R]", "[L]", "[R]", "one"},
    {"LeftMarkerStraddlingTwoByteCharacterIsSkipped", "\x81[L]x[R][L]y[R]", "[L]", "[R]", "y"},
    {"RightMarkerStraddlingTwoByteCharacterIsSkipped", "[L]\x81[R]z[R]", "[L]", "[R]", "\x81[R]z"},
    {"TwoByteCharactersInsideAreKept", "[L]\xB8\xE8[R]", "[L]", "[R]", "\xB8\xE8"},
};

TEST(TextBetween, Cases) {
  for (const BetweenCase& c : kBetweenCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TextBetween(c.page, c.left, c.right).str(), c.expected.str());
  }
}

}  // namespace
}  // namespace qingyou
