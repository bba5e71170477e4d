#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "tests/text/referencetextops.h"
#include "tests/text/testsupport.h"
#include "text/textops.h"

namespace qingyou {
namespace {

// Bytes that make the scans' decisions interesting: letters in both cases,
// separators, lead bytes, and ASCII bytes that also serve as second bytes.
constexpr char kAlphabet[] = {'a',    'A',    'b',    'B',    ',',    '<',
                              '\x81', '\xB0', '\xA1', '\xD6', '\xC1', '\xE1'};

class RandomTexts {
 public:
  explicit RandomTexts(unsigned seed) : engine_(seed) {}

  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }

  std::string Bytes(int maxLength) {
    std::string out(static_cast<std::size_t>(Between(0, maxLength)), '\0');
    for (char& c : out) c = kAlphabet[Between(0, sizeof kAlphabet - 1)];
    return out;
  }

  // Half the time a piece of `text`, so that matches are common.
  std::string Needle(const std::string& text, int maxLength) {
    if (text.empty() || Between(0, 1) == 0) return Bytes(maxLength);
    const int from = Between(0, static_cast<int>(text.size()) - 1);
    return text.substr(static_cast<std::size_t>(from),
                       static_cast<std::size_t>(Between(1, maxLength)));
  }

 private:
  std::mt19937 engine_;
};

TEST(TextFind, AgreesWithTheCharacterByCharacterRuleOnRandomTexts) {
  RandomTexts random(20240611);
  for (int i = 0; i < 40000; ++i) {
    const std::string text = random.Bytes(40);
    const std::string sought = random.Needle(text, 4);
    std::optional<int> start;
    if (random.Between(0, 2) != 0) start = random.Between(-2, static_cast<int>(text.size()) + 2);
    const bool caseInsensitive = random.Between(0, 1) == 1;
    const int expected = reference::TextFind(text, sought, start, caseInsensitive);
    ASSERT_EQ(TextFind(Text::FromBytes(text), Text::FromBytes(sought), start, caseInsensitive),
              expected)
        << "text \"" << Escaped(text) << "\" sought \"" << Escaped(sought) << "\" start "
        << (start ? std::to_string(*start) : "none") << " caseInsensitive " << caseInsensitive;
  }
}

TEST(TextSplit, AgreesWithTheCharacterByCharacterRuleOnRandomTexts) {
  RandomTexts random(7);
  for (int i = 0; i < 40000; ++i) {
    const std::string text = random.Bytes(40);
    const std::string separator = random.Needle(text, 3);
    std::optional<int> maxCount;
    if (random.Between(0, 2) == 0) maxCount = random.Between(-1, 6);
    std::vector<Text> expected;
    for (const std::string_view piece : reference::TextSplit(text, separator, maxCount)) {
      expected.push_back(Text::FromBytes(piece));
    }
    const TextArray pieces = TextSplit(Text::FromBytes(text), Text::FromBytes(separator), maxCount);
    ASSERT_EQ(std::vector<Text>(pieces.begin(), pieces.end()), expected)
        << "text \"" << Escaped(text) << "\" separator \"" << Escaped(separator) << "\" maxCount "
        << (maxCount ? std::to_string(*maxCount) : "none");
  }
}

}  // namespace
}  // namespace qingyou
