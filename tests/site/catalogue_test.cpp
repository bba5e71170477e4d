#include "site/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qingyou::site {
namespace {

std::vector<int> IdsOf(const std::vector<const Song*>& songs) {
  std::vector<int> ids;
  for (const Song* song : songs) ids.push_back(song->id);
  return ids;
}

TEST(ParseCatalogue, KeepsFileOrderAndSkipsCommentsBlanksBomAndCarriageReturns) {
  const std::vector<Song> songs = ParseCatalogue(
      "\xEF\xBB\xBF# id\ttitle\tsinger\r\n"
      "2000002\t月亮船\t童声合唱团\r\n"
      "\n"
      "2000001\tLove & Rain\t\n");
  ASSERT_EQ(songs.size(), 2u);
  EXPECT_EQ(songs[0].id, 2000002);
  EXPECT_EQ(songs[0].title, "月亮船");
  EXPECT_EQ(songs[0].singer, "童声合唱团");
  EXPECT_EQ(songs[1].id, 2000001);
  EXPECT_EQ(songs[1].title, "Love & Rain");
  EXPECT_EQ(songs[1].singer, "");
}

TEST(ParseCatalogue, RejectsBadLinesNamingTheLine) {
  struct Case {
    const char* name;
    std::string text;
  };
  const std::string good = "1000001\tA\tB\n";
  const Case cases[] = {
      {"TwoColumns", good + "1000002\tA\n"},
      {"FourColumns", good + "1000002\tA\tB\tC\n"},
      {"SixDigitId", good + "100002\tA\tB\n"},
      {"EightDigitId", good + "10000002\tA\tB\n"},
      {"LeadingZeroId", good + "0100002\tA\tB\n"},
      {"NonDigitId", good + "10000x2\tA\tB\n"},
      {"RepeatedId", good + "1000001\tC\tD\n"},
      {"EmptyTitle", good + "1000002\t\tB\n"},
      {"InvalidUtf8", good + "1000002\t\xE4\xB8\tB\n"},
  };
  for (const Case& c : cases) {
    try {
      (void)ParseCatalogue(c.text);
      ADD_FAILURE() << c.name << ": accepted";
    } catch (const CatalogueError& e) {
      EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos)
          << c.name << ": " << e.what();
    }
  }
}

TEST(LoadCatalogue, MissingFileThrows) {
  EXPECT_THROW((void)LoadCatalogue("/nonexistent/qingyou/catalogue.tsv"), CatalogueError);
}

TEST(SearchSongs, MatchesTitleOrSingerAsciiCaseInsensitivelyInCatalogueOrder) {
  const std::vector<Song> songs = ParseCatalogue(
      "1000001\t月亮之上\t歌手甲\n"
      "1000002\tLove Song\tSinger B\n"
      "1000003\t小月亮\tLOVEBIRDS\n"
      "1000004\t華樂\t愛琳\n"
      "1000005\tÀ la carte\tÉcole\n");
  struct Case {
    const char* key;
    std::vector<int> ids;
  };
  const Case cases[] = {
      {"月亮", {1000001, 1000003}},
      {"love", {1000002, 1000003}},
      {"LOVE SONG", {1000002}},
      {"singer b", {1000002}},
      {"愛", {1000004}},
      {"爱", {}},  // simplified and traditional forms are different characters
      {"", {1000001, 1000002, 1000003, 1000004, 1000005}},
      {"à", {}},  // only ASCII letters fold; À stays distinct from à
      {"À", {1000005}},
      {"没有", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IdsOf(SearchSongs(songs, c.key)), c.ids) << "key: " << c.key;
  }
}

TEST(FindSong, FindsByNumberAndGivesNullForUnknownIds) {
  const std::vector<Song> songs = ParseCatalogue("1000001\tA\tB\n1000002\tC\tD\n");
  ASSERT_NE(FindSong(songs, 1000002), nullptr);
  EXPECT_EQ(FindSong(songs, 1000002)->title, "C");
  EXPECT_EQ(FindSong(songs, -1), nullptr);
  EXPECT_EQ(FindSong(songs, 0), nullptr);
  EXPECT_EQ(FindSong(songs, 1000001LL + (1LL << 32)), nullptr);  // no truncation to int
}

// The end-to-end tests and a user at the keyboard rely on the shipped songs
// having these traits: a long result list, shared words, traditional
// characters and titles that need escaping.
TEST(ShippedCatalogue, LoadsAndHasTheSongsTheSearchesNeed) {
  const std::vector<Song> songs = LoadCatalogue(QINGYOU_SHIPPED_CATALOGUE);
  EXPECT_GE(songs.size(), 35u);
  EXPECT_LE(songs.size(), 50u);
  EXPECT_GE(SearchSongs(songs, "爱").size(), 12u);
  EXPECT_GE(SearchSongs(songs, "月亮").size(), 3u);
  EXPECT_GE(SearchSongs(songs, "love").size(), 2u);
  for (const char* traditional : {"華", "樂", "愛"}) {
    EXPECT_FALSE(SearchSongs(songs, traditional).empty()) << traditional;
  }
  for (const char* special : {"&", "\"", "<", ">", "'"}) {
    EXPECT_TRUE(std::any_of(songs.begin(), songs.end(), [special](const Song& s) {
      return s.title.find(special) != std::string::npos;
    })) << special;
  }
}

}  // namespace
}  // namespace qingyou::site
