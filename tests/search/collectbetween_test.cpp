#include "search/collectbetween.h"

#include <gtest/gtest.h>

#include <string>

#include "text/textops.h"

namespace qingyou {
namespace {

std::string Show(const TextArray& items) {
  std::string out = "{";
  for (const Text& item : items) out += " [" + item.str() + "]";
  return out + " }";
}

struct CollectCase {
  const char* name;
  Text page;
  Text start;
  Text end;
  CollectOptions options;
  TextArray expected;
};

const CollectCase kCollectCases[] = {
    {"PageWithoutStartMarkerGivesNothing", "x</a>y</a>", "<a>", "</a>", {}, {}},
    {"TextBeforeFirstStartMarkerIsNoItem", "head</a><a>one</a>", "<a>", "</a>", {}, {"one"}},
    {"PageBeginningWithStartMarkerGivesFirstItemAfterIt",
     "<a>one</a>tail",
     "<a>",
     "</a>",
     {},
     {"one"}},
    {"EndMarkerOnlyAfterNextStartYieldsNothingButLaterPiecesCount",
     "<a>one<a>two</a>",
     "<a>",
     "</a>",
     {},
     {"two"}},
    {"EndMarkerRightAfterStartGivesEmptyItem", "<a></a><a>x</a>", "<a>", "</a>", {}, {"", "x"}},
    {"AdjacentStartMarkersGiveNoItemForTheEmptyPiece", "<a><a>x</a>", "<a>", "</a>", {}, {"x"}},
    {"ItemsKeepPageOrderAndDuplicates",
     "<a>b</a><a>a</a><a>b</a>",
     "<a>",
     "</a>",
     {},
     {"b", "a", "b"}},
    {"OnlyFirstEndMarkerOfAPieceCounts", "<a>x</a>y</a>", "<a>", "</a>", {}, {"x"}},
    {"MaxLengthKeepsItemsOfThatLengthAndDropsLongerOnes",
     "<a>abc</a><a>abcd</a><a></a>",
     "<a>",
     "</a>",
     {.maxLength = 3},
     {"abc", ""}},
    {"NegativeMaxLengthDropsEvenEmptyItems",
     "<a></a><a>x</a>",
     "<a>",
     "</a>",
     {.maxLength = -1},
     {}},
    {"MaxLengthIsMeasuredBeforePrefixAndSuffix",
     "<a>x</a>",
     "<a>",
     "</a>",
     {.maxLength = 1, .prefix = "[[", .suffix = "]]"},
     {"[[x]]"}},
    {"IncludeStartPutsStartMarkerBeforePrefix",
     "<a>x</a>",
     "<a>",
     "</a>",
     {.prefix = "[", .suffix = "]", .includeStart = true},
     {"<a>[x]"}},
    {"IncludeEndPutsEndMarkerAfterSuffix",
     "<a>x</a>",
     "<a>",
     "</a>",
     {.prefix = "[", .suffix = "]", .includeEnd = true},
     {"[x]</a>"}},
    {"IncludeStartWinsOverIncludeEnd",
     "<a>x</a>",
     "<a>",
     "</a>",
     {.prefix = "[", .suffix = "]", .includeStart = true, .includeEnd = true},
     {"<a>[x]"}},
    {"CaseInsensitiveFindsEndMarkerInOtherCase",
     "<a>x</A><a>y</a>",
     "<a>",
     "</a>",
     {.caseInsensitive = true},
     {"x", "y"}},
    {"CaseSensitiveByDefaultSkipsEndMarkerInOtherCase",
     "<a>x</A><a>y</a>",
     "<a>",
     "</a>",
     {},
     {"y"}},
    {"CaseInsensitiveLeavesStartMarkerExact",
     "<A>x</a><a>y</a>",
     "<a>",
     "</a>",
     {.caseInsensitive = true},
     {"y"}},
    {"IncludeEndAddsTheMarkerAsGivenNotAsFoundInThePage",
     "<a>x</A>",
     "<a>",
     "</a>",
     {.caseInsensitive = true, .includeEnd = true},
     {"x</a>"}},
    {"StartMarkerStraddlingTwoByteCharacterIsNotSplitAt",
     "\x81<a>x</a><a>y</a>",
     "<a>",
     "</a>",
     {},
     {"y"}},
    {"EndMarkerStraddlingTwoByteCharacterIsSkipped",
     "<a>\x81</a>x</a>",
     "<a>",
     "</a>",
     {},
     {"\x81</a>x"}},
    {"LeadByteEndingAPieceWithoutEndMarkerYieldsNothing", "<a>x\x81", "<a>", "</a>", {}, {}},
    {"EmptyStartMarkerGivesNothing", "<a>x</a>", "", "</a>", {}, {}},
    {"EmptyEndMarkerGivesEmptyItemForEachNonEmptyPiece", "<a>x<a><a>y", "<a>", "", {}, {"", ""}},
    {"EmptyPageGivesNothing", "", "<a>", "</a>", {}, {}},
};

TEST(CollectBetween, Cases) {
  for (const CollectCase& c : kCollectCases) {
    SCOPED_TRACE(c.name);
    TextArray result{"left over", "from before"};
    const int count = CollectBetween(c.page, c.start, c.end, result, c.options);
    EXPECT_EQ(result, c.expected) << "got " << Show(result) << " want " << Show(c.expected);
    EXPECT_EQ(count, Count(c.expected));
  }
}

TEST(CollectBetween, LeavesPageAndMarkersUnchanged) {
  const Text page = "<a>x</a>";
  const Text start = "<a>";
  const Text end = "</a>";
  TextArray result;
  CollectBetween(page, start, end, result, {.prefix = "p", .suffix = "s", .includeStart = true});
  EXPECT_EQ(page, Text("<a>x</a>"));
  EXPECT_EQ(start, Text("<a>"));
  EXPECT_EQ(end, Text("</a>"));
}

}  // namespace
}  // namespace qingyou
