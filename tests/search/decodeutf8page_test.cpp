#include "search/decodeutf8page.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "text/bytesops.h"
#include "text/iconvhandle.h"

namespace qingyou {
namespace {

ByteString Bytes(std::string_view bytes) {
  return ByteString::FromBytes(bytes);
}

struct Case {
  const char* name;
  std::string page;  // UTF-8 bytes
  std::string text;  // GBK bytes expected
};

TEST(DecodeUtf8Page, TurnsUtf8IntoGbkUpToTheFirstNul) {
  const Case cases[] = {
      {"empty page", "", ""},
      {"one Chinese character", "\xE4\xB8\xAD", "\xD6\xD0"},
      {"markup around Chinese", "<b>\xE4\xB8\xAD\xE6\x96\x87</b>", "<b>\xD6\xD0\xCE\xC4</b>"},
      {"GBK-only character", "\xE8\x8F\xAF", "\xC8\x41"},
      {"two-byte UTF-8 character", "caf\xC3\xA9", "caf\xA8\xA6"},
      {"last byte 0x7E", "ab~", "ab~"},
      {"last byte 0x7F", "ab\x7F", "ab\x7F"},
      {"last byte 0x80 and above", "a\xE4\xB8\xAD", "a\xD6\xD0"},
      {"NUL in the middle", std::string("ab\0cd", 5), "ab"},
      {"NUL first", std::string("\0abc", 4), ""},
      {"NUL last", std::string("abc\0", 4), "abc"},
      {"NUL inside a broken sequence", std::string("a\xE4\0\xB8\xAD", 5), "a?"},
      {"character GBK lacks",
       "a\xED\x95\x9C"
       "b",
       "a?b"},  // U+D55C
      {"replacement character itself", "\xEF\xBF\xBD", "?"},
      {"character beyond U+FFFF is one ?",
       "a\xF0\x9F\x8E\xB5"
       "b",
       "a?b"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeUtf8Page(Bytes(c.page)).str(), c.text);
  }
}

TEST(DecodeUtf8Page, PageCutInsideACharacterKeepsEverythingBeforeIt) {
  const Case cases[] = {
      {"lead byte only", "ab\xE4", "ab?"},
      {"two of three bytes", "\xE4\xB8\xAD\xE6\x96", "\xD6\xD0?"},
      {"three of four bytes", "x\xF0\x9F\x8E", "x?"},
      {"two-byte character cut", "x\xC3", "x?"},
      {"long ASCII run before the cut", "0123456789abcdef\xE4\xB8", "0123456789abcdef?"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeUtf8Page(Bytes(c.page)).str(), c.text);
  }
}

TEST(DecodeUtf8Page, MalformedBytesGiveOneQuestionMarkPerMaximalSubpartAndDecodingGoesOn) {
  const Case cases[] = {
      {"stray continuation byte", "a\x80z", "a?z"},
      {"two stray continuation bytes", "\x80\xBF", "??"},
      {"overlong two-byte NUL", "\xC0\x80", "??"},
      {"overlong three-byte form", "\xE0\x80\xAF", "???"},
      {"encoded surrogate", "\xED\xA0\x80", "???"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", "????"},
      {"bytes that never start a character", "\xF5\xFE\xFF", "???"},
      {"lead byte followed by ASCII",
       "\xE4"
       "abc",
       "?abc"},
      {"two good bytes then a new lead", "\xE4\xB8\xE4\xB8\xAD", "?\xD6\xD0"},
      {"four-byte start then ASCII",
       "\xF0\x9F\x8E"
       "A",
       "?A"},
      {"Latin-1 text", "caf\xE9 ol\xE9", "caf? ol?"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeUtf8Page(Bytes(c.page)).str(), c.text);
  }
}

// The rule written out step by step, slowly: the termination byte, UTF-8 to
// UTF-16 code units by checking each prefix against the well-formed byte
// ranges, then one iconv call per character to GBK.
class ReferenceDecoder {
 public:
  ReferenceDecoder() : toGbk_("GBK", "UTF-32LE") {}

  std::string Decode(const ByteString& page) const {
    std::string bytes(page.view());
    const int last = BytesReadInt(BytesRight(page, 1));
    if (last < 127) bytes.push_back('\0');
    std::vector<char16_t> units = ToUtf16(bytes);
    std::string out;
    for (std::size_t i = 0; i < units.size() && units[i] != 0; ++i) {
      std::uint32_t codePoint = units[i];
      if (codePoint >= 0xD800 && codePoint <= 0xDBFF && i + 1 < units.size()) {
        codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (units[i + 1] - 0xDC00u);
        ++i;
      }
      out += ToGbk(codePoint);
    }
    return out.substr(0, out.find('\0'));
  }

 private:
  struct Row {
    int length;
    unsigned char low[4];
    unsigned char high[4];
  };
  // The well-formed UTF-8 byte sequences.
  static constexpr Row kRows[] = {
      {1, {0x00}, {0x7F}},
      {2, {0xC2, 0x80}, {0xDF, 0xBF}},
      {3, {0xE0, 0xA0, 0x80}, {0xE0, 0xBF, 0xBF}},
      {3, {0xE1, 0x80, 0x80}, {0xEC, 0xBF, 0xBF}},
      {3, {0xED, 0x80, 0x80}, {0xED, 0x9F, 0xBF}},
      {3, {0xEE, 0x80, 0x80}, {0xEF, 0xBF, 0xBF}},
      {4, {0xF0, 0x90, 0x80, 0x80}, {0xF0, 0xBF, 0xBF, 0xBF}},
      {4, {0xF1, 0x80, 0x80, 0x80}, {0xF3, 0xBF, 0xBF, 0xBF}},
      {4, {0xF4, 0x80, 0x80, 0x80}, {0xF4, 0x8F, 0xBF, 0xBF}},
  };

  static bool Matches(const Row& row, const std::string& bytes, std::size_t at, int count) {
    if (count > row.length || at + static_cast<std::size_t>(count) > bytes.size()) return false;
    for (int k = 0; k < count; ++k) {
      const auto byte = static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(k)]);
      if (byte < row.low[k] || byte > row.high[k]) return false;
    }
    return true;
  }

  static std::vector<char16_t> ToUtf16(const std::string& bytes) {
    std::vector<char16_t> units;
    std::size_t at = 0;
    while (at < bytes.size()) {
      int longest = 0;
      const Row* complete = nullptr;
      for (const Row& row : kRows) {
        for (int count = 1; count <= row.length; ++count) {
          if (!Matches(row, bytes, at, count)) break;
          if (count > longest) longest = count;
          if (count == row.length) complete = &row;
        }
      }
      if (complete == nullptr) {
        units.push_back(0xFFFD);
        at += static_cast<std::size_t>(longest > 0 ? longest : 1);
        continue;
      }
      const auto lead = static_cast<unsigned char>(bytes[at]);
      std::uint32_t codePoint =
          complete->length == 1 ? lead : lead & (0xFFu >> (complete->length + 1));
      for (int k = 1; k < complete->length; ++k) {
        codePoint = codePoint << 6 |
                    (static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(k)]) & 0x3Fu);
      }
      if (codePoint >= 0x10000) {
        units.push_back(static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10)));
        units.push_back(static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF)));
      } else {
        units.push_back(static_cast<char16_t>(codePoint));
      }
      at += static_cast<std::size_t>(complete->length);
    }
    return units;
  }

  std::string ToGbk(std::uint32_t codePoint) const {
    char in[4] = {static_cast<char>(codePoint & 0xFF), static_cast<char>(codePoint >> 8 & 0xFF),
                  static_cast<char>(codePoint >> 16 & 0xFF), static_cast<char>(codePoint >> 24)};
    char out[8] = {};
    char* inPtr = in;
    std::size_t inLeft = sizeof in;
    char* outPtr = out;
    std::size_t outLeft = sizeof out;
    iconv(toGbk_.get(), nullptr, nullptr, nullptr, nullptr);
    if (iconv(toGbk_.get(), &inPtr, &inLeft, &outPtr, &outLeft) != 0) return "?";
    return std::string(out, sizeof out - outLeft);
  }

  IconvHandle toGbk_;
};

TEST(DecodeUtf8Page, AgreesWithTheStepByStepRuleOnEveryBmpCharacter) {
  ReferenceDecoder reference;
  std::string page;
  for (std::uint32_t c = 1; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    if (c < 0x80) {
      page += static_cast<char>(c);
    } else if (c < 0x800) {
      page += static_cast<char>(0xC0 | c >> 6);
      page += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      page += static_cast<char>(0xE0 | c >> 12);
      page += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      page += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  const std::string expected = reference.Decode(Bytes(page));
  // GBK has well over 20,000 characters; a converter that failed to load
  // would leave nearly all of them as "?".
  ASSERT_GT(expected.size(), 40000u);
  EXPECT_EQ(DecodeUtf8Page(Bytes(page)).str(), expected);
}

// Pages made of pieces that stress the fast paths: ASCII runs of every length
// around the 8-byte step, whole and cut characters of every length, stray and
// invalid bytes, the occasional NUL.
std::string RandomPage(std::mt19937& random) {
  static const char* const kPieces[] = {
      "a",
      "<td>",
      "0123456",
      "01234567",
      "012345678",
      "\x7E",
      "\x7F",
      "\xE4\xB8\xAD",
      "\xE6\x96\x87",
      "\xE8\x8F\xAF",
      "\xC3\xA9",
      "\xCE\xB1",
      "\xED\x95\x9C",
      "\xEF\xBF\xBD",
      "\xF0\x9F\x8E\xB5",
      "\xE4\xB8",
      "\xE4",
      "\xF0\x9F",
      "\xF0\x9F\x8E",
      "\xC3",
      "\x80",
      "\xBF",
      "\xC0\x80",
      "\xE0\x80\x80",
      "\xED\xA0\x80",
      "\xF4\x90\x80\x80",
      "\xF5",
      "\xFF",
      "\xE2\x82\xAC",
      "\xE3\x81\x82",
  };
  std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
  std::uniform_int_distribution<int> length(0, 60);
  std::uniform_int_distribution<int> nul(0, 40);
  std::string page;
  const int pieces = length(random);
  for (int i = 0; i < pieces; ++i) {
    page += kPieces[piece(random)];
    if (nul(random) == 0) page += '\0';
  }
  return page;
}

TEST(DecodeUtf8Page, AgreesWithTheStepByStepRuleOnGeneratedPages) {
  ReferenceDecoder reference;
  std::mt19937 random(20240611);
  for (int i = 0; i < 20000; ++i) {
    const std::string page = RandomPage(random);
    ASSERT_EQ(DecodeUtf8Page(Bytes(page)).str(), reference.Decode(Bytes(page))) << "page " << i;
  }
}

TEST(DecodeUtf8Page, AgreesWithTheStepByStepRuleOnRandomBytes) {
  ReferenceDecoder reference;
  std::mt19937 random(7);
  std::uniform_int_distribution<int> byte(1, 255);
  std::uniform_int_distribution<int> length(0, 24);
  for (int i = 0; i < 20000; ++i) {
    std::string page;
    const int n = length(random);
    for (int k = 0; k < n; ++k) page += static_cast<char>(byte(random));
    ASSERT_EQ(DecodeUtf8Page(Bytes(page)).str(), reference.Decode(Bytes(page))) << "page " << i;
  }
}

}  // namespace
}  // namespace qingyou
