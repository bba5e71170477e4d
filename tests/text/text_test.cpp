#include "text/text.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "tests/text/testsupport.h"
#include "text/textops.h"

namespace qingyou {
namespace {

using namespace std::string_view_literals;

TEST(Text, EndsAtTheFirstNulWhateverBuildsIt) {
  EXPECT_EQ(Text::FromBytes("ab\0cd"sv), Text("ab"));
  EXPECT_EQ(Text::FromBytes("\0ab"sv), Text(""));
  EXPECT_EQ(Text(static_cast<const char*>(nullptr)), Text(""));

  TextBuilder builder;
  builder.Append("x\0y"sv).Append('\0').Append('z').Append(Text("w"));
  EXPECT_EQ(builder.Take(), Text("xzw"));

  EXPECT_EQ(Utf8ToGbk("中\0文"sv), Gbk("中"));
}

TEST(Text, AbsentAndEmptyAreOneValue) {
  EXPECT_EQ(Text(), Text(""));
  EXPECT_TRUE(Text().empty());
  EXPECT_EQ(TextLength(Text()), 0);
}

std::vector<Text> Elements(const TextArray& array) {
  return {array.begin(), array.end()};
}

TEST(TextArray, AppendAddsAtTheEndAndAtReadsFromOne) {
  TextArray array;
  EXPECT_EQ(Count(array), 0);
  Append(array, "a");
  Append(array, "");
  Append(array, Gbk("中"));
  EXPECT_EQ(Count(array), 3);
  EXPECT_EQ(At(array, 1), Text("a"));
  EXPECT_EQ(At(array, 2), Text(""));
  EXPECT_EQ(At(array, 3), Gbk("中"));
}

TEST(TextArray, AppendStoresACopy) {
  TextArray array;
  Text text = "first";
  Append(array, text);
  text = "second";
  EXPECT_EQ(At(array, 1), Text("first"));

  TextArray copy = array;
  Append(copy, "more");
  EXPECT_EQ(Count(array), 1) << "arrays are values too";
}

TEST(TextArray, RemoveFirstMovesTheOthersDown) {
  TextArray array{"a", "b", "c"};
  RemoveFirst(array);
  EXPECT_EQ(Elements(array), (std::vector<Text>{"b", "c"}));
  RemoveFirst(array);
  RemoveFirst(array);
  EXPECT_EQ(Count(array), 0);
  RemoveFirst(array);
  EXPECT_EQ(Count(array), 0) << "on an empty array it does nothing";
}

TEST(TextArray, ClearEmptiesAndTheArrayStaysUsable) {
  TextArray array{"a", "b"};
  Clear(array);
  EXPECT_EQ(Count(array), 0);
  Clear(array);
  Append(array, "c");
  EXPECT_EQ(Elements(array), (std::vector<Text>{"c"}));
}

}  // namespace
}  // namespace qingyou
