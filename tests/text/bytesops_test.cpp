#include "text/bytesops.h"

#include <gtest/gtest.h>

#include <climits>
#include <string_view>

#include "tests/text/testsupport.h"

namespace qingyou {
namespace {

using namespace std::string_view_literals;

TEST(ByteString, KeepsNulBytes) {
  const ByteString bytes = Bytes("a\0b\0"sv);
  EXPECT_EQ(BytesLength(bytes), 4);
  EXPECT_EQ(BytesLength(ByteString()), 0);
}

TEST(BytesConcat, JoinsInOrderIncludingNulBytes) {
  EXPECT_EQ(BytesConcat(Bytes("a\0"sv), Bytes(""), Bytes("\0b"sv)), Bytes("a\0\0b"sv));
  EXPECT_EQ(BytesConcat(ByteString(), ByteString()), ByteString());
  EXPECT_EQ(BytesConcat(Bytes("\xFF")), Bytes("\xFF"));
}

TEST(BytesRight, GivesTheLastBytesWithCountClipped) {
  struct Case {
    const char* name;
    int count;
    std::string_view expected;
  };
  // Over "a\0bc".
  const Case cases[] = {
      {"zero", 0, ""},
      {"negative", -1, ""},
      {"INT_MIN", INT_MIN, ""},
      {"one", 1, "c"},
      {"reaching the NUL", 3, "\0bc"sv},
      {"all", 4, "a\0bc"sv},
      {"more than there is", 9, "a\0bc"sv},
      {"INT_MAX", INT_MAX, "a\0bc"sv},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BytesRight(Bytes("a\0bc"sv), c.count), Bytes(c.expected)) << c.name;
  }
  EXPECT_EQ(BytesRight(ByteString(), 3), ByteString());
}

TEST(BlankBytes, GivesZeroBytesOrNothing) {
  EXPECT_EQ(BlankBytes(0), ByteString());
  EXPECT_EQ(BlankBytes(-5), ByteString());
  EXPECT_EQ(BlankBytes(3), Bytes("\0\0\0"sv));
}

TEST(BytesReadInt, ReadsLittleEndianWithMissingHighBytesZero) {
  struct Case {
    const char* name;
    std::string_view bytes;
    int expected;
  };
  const Case cases[] = {
      {"empty", "", 0},
      {"one byte is unsigned", "\xE4", 228},
      {"one byte 0xFF", "\xFF", 255},
      {"two bytes", "\x01\x02", 0x0201},
      {"three bytes", "\x01\x02\x03", 0x030201},
      {"four bytes", "\x78\x56\x34\x12", 0x12345678},
      {"four bytes 0xFF is -1", "\xFF\xFF\xFF\xFF", -1},
      {"sign bit from the fourth byte", "\0\0\0\x80"sv, INT_MIN},
      {"three 0xFF bytes stay positive", "\xFF\xFF\xFF", 0xFFFFFF},
      {"bytes after the fourth are ignored", "\x01\0\0\0\x7F"sv, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(BytesReadInt(Bytes(c.bytes)), c.expected) << c.name;
}

TEST(ByteStringAt, GivesUnsignedBytesFromOne) {
  const ByteString bytes = Bytes("\0\x7F\x80\xFF"sv);
  EXPECT_EQ(At(bytes, 1), 0);
  EXPECT_EQ(At(bytes, 2), 127);
  EXPECT_EQ(At(bytes, 3), 128);
  EXPECT_EQ(At(bytes, 4), 255);
}

}  // namespace
}  // namespace qingyou
