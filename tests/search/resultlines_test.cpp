#include "search/resultlines.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "search/collectbetween.h"
#include "search/markers.h"
#include "tests/search/literallines.h"
#include "text/codepage.h"
#include "text/textops.h"

namespace qingyou {
namespace {

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && b != '\\') {
      out += c;
    } else {
      out += "\\x";
      out += kDigits[b >> 4];
      out += kDigits[b & 0xF];
    }
  }
  return out;
}

std::string Show(const std::vector<ResultLine>& lines) {
  std::string out;
  for (const ResultLine& line : lines) {
    out += "  [" + Hex(line.display.view()) + "] " + std::to_string(line.value) + "\n";
  }
  return out;
}

bool SameLines(const std::vector<ResultLine>& a, const std::vector<ResultLine>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!(a[i].display == b[i].display) || a[i].value != b[i].value) return false;
  }
  return true;
}

struct Markers {
  Text start;
  Text end;
  Text title;
};

Markers SiteMarkers(const Text& origin) {
  return {SongLinkStart(SongSite{origin}), SongLinkEnd(), TitleEnd()};
}

std::vector<ResultLine> Compose(const Text& page, const Markers& m) {
  TextArray ids;
  CollectBetween(page, m.start, m.end, ids);
  return ComposeResultLines(page, ids, m.start, m.end, m.title);
}

TEST(ResultLines, NumberFiveSpacesTitleAndIdValueInPageOrder) {
  const Markers m = SiteMarkers("http://songs.test");
  const Text page = TextConcat(Text("<table><tr>"), m.start, "2345678", m.end, "Song A", m.title,
                               "</a></td></tr><tr>", m.start, "91", m.end, "Song B", m.title,
                               "</a></td></tr></table>");
  const std::vector<ResultLine> lines = Compose(page, m);
  ASSERT_EQ(lines.size(), 2u) << Show(lines);
  EXPECT_EQ(lines[0].display.str(), "1     Song A");
  EXPECT_EQ(lines[0].value, 2345678);
  EXPECT_EQ(lines[1].display.str(), "2     Song B");
  EXPECT_EQ(lines[1].value, 91);
}

TEST(ResultLines, RepeatedIdGetsTitleOfFirstLinkAndMissingTitleEndLeavesTitleEmpty) {
  const Markers m = SiteMarkers("http://songs.test");
  const Text page = TextConcat(m.start, "7", m.end, "first", m.title, m.start, "8", m.end,
                               "never closed", m.start, "7", m.end, "second", m.title);
  const std::vector<ResultLine> lines = Compose(page, m);
  ASSERT_EQ(lines.size(), 3u) << Show(lines);
  EXPECT_EQ(lines[0].display.str(), "1     first");
  // The title of 8 would run on past the next link to the title end of the
  // third link: the lookup stops at the first title end after the id.
  EXPECT_EQ(lines[1].display.str(),
            TextConcat(Text("2     never closed"), m.start, "7", m.end, "second").str());
  EXPECT_EQ(lines[2].display.str(), "3     first");
  EXPECT_EQ(lines[2].value, 7);
}

struct MarkerCase {
  const char* name;
  Text start;
  Text end;
  bool onePass;
};

TEST(ResultLines, MarkersAllowOnePassOnlyWhenNoStartMarkerCanCutAnIdShort) {
  const MarkerCase cases[] = {
      {"SiteMarkers", SongLinkStart(SongSite{"http://127.0.0.1:8080"}), SongLinkEnd(), true},
      {"SiteMarkersWithGbkHost",
       SongLinkStart(SongSite{TextConcat(Text("http://"), Utf8ToGbk("歌曲"), ".test")}),
       SongLinkEnd(), true},
      {"EmptyStart", "", "</a>", false},
      {"EmptyEnd", "<a>", "", false},
      {"StartEndingInLeadByte", "<a\x81", "</a>", false},
      {"EndSuffixIsStartPrefix", "<a>", "x<", false},
      {"StartAtEndMarkerStart", "<a", "<ab", false},
      {"EndInsideStart", "<a.b>", ".", false},
      {"StartOverlappingItself", "abab", "</a>", false},
      {"UnrelatedMarkers", "<a>", "</b>", true},
  };
  for (const MarkerCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MarkersAllowOnePass(c.start, c.end), c.onePass);
  }
}

// Random pages made of song links and the things that go wrong around them.
class PageMaker {
 public:
  PageMaker(std::uint32_t seed, Markers markers) : rng_(seed), m_(std::move(markers)) {}

  Text Page() {
    usedIds_.clear();
    TextBuilder page;
    const int fragments = Pick(0, 40);
    for (int i = 0; i < fragments; ++i) AddFragment(page);
    return page.Take();
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  bool Chance(int percent) { return Pick(1, 100) <= percent; }

  Text Id() {
    static const char* const kIds[] = {"123",
                                       "0123",
                                       "+12",
                                       "-7",
                                       " 42",
                                       "12ab",
                                       "ab12",
                                       "2147483648",
                                       "4294967297",
                                       "",
                                       "\xA3\xB1\xA3\xB2",
                                       "9\x81",
                                       "\x81\x39",
                                       "5\xA1",
                                       "x.html"};
    if (!usedIds_.empty() && Chance(30)) {
      return usedIds_[static_cast<std::size_t>(Pick(0, static_cast<int>(usedIds_.size()) - 1))];
    }
    Text id;
    if (Chance(40)) {
      id = kIds[Pick(0, static_cast<int>(std::size(kIds)) - 1)];
    } else {
      id = IntToText(Pick(0, 99999));
    }
    usedIds_.push_back(id);
    return id;
  }

  Text Filler(int maxLength) {
    static const char kBytes[] = "ab<\"./= _>\x81\xA1\xB0\xFE";
    TextBuilder b;
    const int n = Pick(0, maxLength);
    for (int i = 0; i < n; ++i) b.Append(kBytes[Pick(0, sizeof kBytes - 2)]);
    return b.Take();
  }

  Text Title() {
    switch (Pick(0, 7)) {
      case 0:
        return "";
      case 1:
        return Utf8ToGbk("歌曲 & 翻唱");
      case 2:
        return "Tom &amp; Jerry";
      case 3:
        return "ends on a lead \x81";  // puts the title end off the character grid
      case 4:
        return TextConcat(Text("has "), m_.end, " inside");
      case 5:
        return TextLeft(m_.title, Pick(1, TextLength(m_.title) - 1));
      default:
        return Filler(12);
    }
  }

  Text NearMiss(const Text& marker) {
    std::string bytes = marker.str();
    const auto at = static_cast<std::size_t>(Pick(0, static_cast<int>(bytes.size()) - 1));
    switch (Pick(0, 2)) {
      case 0:
        bytes.erase(at, 1);
        break;
      case 1:
        bytes[at] = bytes[at] == 'x' ? 'y' : 'x';
        break;
      default:
        bytes.resize(at);
        break;
    }
    return Text::FromBytes(bytes);
  }

  void AddFragment(TextBuilder& page) {
    // A lead byte right before a marker makes it straddle a character.
    if (Chance(15)) page.Append(Chance(50) ? "\x81" : "\xA1");
    const Text start = Chance(10) ? NearMiss(m_.start) : m_.start;
    const Text end = Chance(8) ? NearMiss(m_.end) : m_.end;
    switch (Pick(0, 9)) {
      case 0:
        page.Append(Filler(30));
        break;
      case 1:
        page.Append(Chance(50) ? m_.end : (Chance(50) ? m_.title : m_.start));
        break;
      case 2:
        page.Append(TextConcat(start, Id(), end, Title()));
        break;  // no title end
      case 3:
        page.Append(TextConcat(start, Id(), Title(), m_.title));
        break;  // no id end
      default:
        page.Append(TextConcat(start, Id(), end, Title(), m_.title, Filler(6)));
        break;
    }
  }

  std::mt19937 rng_;
  Markers m_;
  std::vector<Text> usedIds_;
};

void ExpectSameAsLiteral(const Text& page, const TextArray& ids, const Markers& m) {
  const std::vector<ResultLine> fast = ComposeResultLines(page, ids, m.start, m.end, m.title);
  const std::vector<ResultLine> literal = LiteralResultLines(page, ids, m.start, m.end, m.title);
  ASSERT_TRUE(SameLines(fast, literal))
      << "page: " << Hex(page.view()) << "\nstart: " << Hex(m.start.view())
      << "\nend: " << Hex(m.end.view()) << "\ntitle end: " << Hex(m.title.view()) << "\none walk:\n"
      << Show(fast) << "literal:\n"
      << Show(literal);
}

TEST(ResultLines, OneWalkMatchesPerIdLookupOnGeneratedResultPages) {
  const Markers sites[] = {
      SiteMarkers("http://127.0.0.1:18765"),
      SiteMarkers(TextConcat(Text("http://"), Utf8ToGbk("青柚"), ".test")),
  };
  std::size_t linesCompared = 0;
  for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
    const Markers& m = sites[seed % 2];
    PageMaker maker(seed, m);
    const Text page = maker.Page();
    TextArray ids;
    CollectBetween(page, m.start, m.end, ids);
    linesCompared += ids.size();
    SCOPED_TRACE(seed);
    ExpectSameAsLiteral(page, ids, m);
    if (HasFatalFailure()) return;
  }
  // Guards the generator: pages without links would compare nothing.
  EXPECT_GT(linesCompared, 10000u);
}

// Tiny alphabets make markers collide with each other, with ids and with
// the character grid far more often than any real page would. Pages are
// strung from the markers themselves and short words between them.
TEST(ResultLines, OneWalkMatchesPerIdLookupForCollidingMarkers) {
  static const char kAlphabet[] = {'a', 'b', '\x81', '\xA1'};
  std::mt19937 rng(20240611);
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
  auto word = [&](int minLength, int maxLength) {
    std::string bytes;
    const int n = pick(minLength, maxLength);
    for (int i = 0; i < n; ++i) bytes += kAlphabet[pick(0, 3)];
    return Text::FromBytes(bytes);
  };
  int onePassCases = 0;
  for (int round = 0; round < 60000; ++round) {
    const Markers m{word(1, 3), word(1, 3), word(0, 2)};
    TextBuilder builder;
    const int tokens = pick(0, 16);
    for (int i = 0; i < tokens; ++i) {
      switch (pick(0, 4)) {
        case 0:
          builder.Append(m.start);
          break;
        case 1:
          builder.Append(m.end);
          break;
        case 2:
          builder.Append(m.title);
          break;
        default:
          builder.Append(word(1, 2));
          break;
      }
    }
    const Text page = builder.Take();
    TextArray ids;
    CollectBetween(page, m.start, m.end, ids);
    // Ids that are no id of the page, or not in page order, must still get
    // the literal answer.
    switch (pick(0, 3)) {
      case 0:
        Append(ids, word(0, 3));
        break;
      case 1:
        if (Count(ids) > 0) {
          TextArray changed;
          const int replaced = pick(1, Count(ids));
          for (int i = 1; i <= Count(ids); ++i)
            Append(changed, i == replaced ? word(0, 3) : At(ids, i));
          ids = changed;
        }
        break;
      default:
        break;
    }
    if (MarkersAllowOnePass(m.start, m.end)) ++onePassCases;
    SCOPED_TRACE(round);
    ExpectSameAsLiteral(page, ids, m);
    if (HasFatalFailure()) return;
  }
  // Guards the generator: without one-walk cases only the fallback is tested.
  EXPECT_GT(onePassCases, 6000);
}

}  // namespace
}  // namespace qingyou
