#include "site/catalogue.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "site/keydecode.h"

namespace qingyou::site {

namespace {

[[noreturn]] void Fail(int lineNumber, const std::string& why) {
  throw CatalogueError("catalogue line " + std::to_string(lineNumber) + ": " + why);
}

int ParseId(std::string_view field, int lineNumber) {
  const bool sevenDigits = field.size() == 7 && std::all_of(field.begin(), field.end(), [](char c) {
                             return c >= '0' && c <= '9';
                           });
  // A leading zero would be lost when the program turns the id into a number,
  // and the player page would then be asked for a different id.
  if (!sevenDigits || field.front() == '0') {
    Fail(lineNumber,
         "id \"" + std::string(field) + "\" is not seven digits without a leading zero");
  }
  int id = 0;
  for (char c : field) id = id * 10 + (c - '0');
  return id;
}

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string AsciiLowered(std::string_view text) {
  std::string lowered(text);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(), AsciiLower);
  return lowered;
}

}  // namespace

std::vector<Song> ParseCatalogue(std::string_view text) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());

  std::vector<Song> songs;
  std::set<int> seen;
  int lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const std::size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;

    if (!IsValidUtf8(line)) Fail(lineNumber, "not valid UTF-8");
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
      const std::size_t tab = line.find('\t', start);
      fields.push_back(line.substr(start, tab == std::string_view::npos ? line.npos : tab - start));
      if (tab == std::string_view::npos) break;
      start = tab + 1;
    }
    if (fields.size() != 3) {
      Fail(lineNumber, "expected 3 tab-separated columns (id, title, singer), found " +
                           std::to_string(fields.size()));
    }
    Song song;
    song.id = ParseId(fields[0], lineNumber);
    if (!seen.insert(song.id).second)
      Fail(lineNumber, "id " + std::to_string(song.id) + " repeated");
    if (fields[1].empty()) Fail(lineNumber, "empty title");
    song.title = std::string(fields[1]);
    song.singer = std::string(fields[2]);
    songs.push_back(std::move(song));
  }
  return songs;
}

std::vector<Song> LoadCatalogue(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw CatalogueError("cannot open catalogue " + path);
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) throw CatalogueError("cannot read catalogue " + path);
  try {
    return ParseCatalogue(content.str());
  } catch (const CatalogueError& e) {
    throw CatalogueError(path + ": " + e.what());
  }
}

const Song* FindSong(const std::vector<Song>& songs, long long id) {
  const auto it =
      std::find_if(songs.begin(), songs.end(), [id](const Song& s) { return s.id == id; });
  return it == songs.end() ? nullptr : &*it;
}

std::vector<const Song*> SearchSongs(const std::vector<Song>& songs, std::string_view key) {
  // Lower-casing only ASCII bytes keeps UTF-8 sequences intact, and since
  // UTF-8 is self-synchronising a byte match is always a match of whole
  // characters.
  const std::string needle = AsciiLowered(key);
  std::vector<const Song*> found;
  for (const Song& song : songs) {
    if (AsciiLowered(song.title).find(needle) != std::string::npos ||
        AsciiLowered(song.singer).find(needle) != std::string::npos) {
      found.push_back(&song);
    }
  }
  return found;
}

}  // namespace qingyou::site
