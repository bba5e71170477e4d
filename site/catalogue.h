#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qingyou::site {

// One song of the site. Titles and singers are UTF-8 as they stand in the
// catalogue file; escaping for HTML happens only when a page is written.
struct Song {
  int id = 0;  // seven decimal digits, no leading zero, so it survives a round trip through int
  std::string title;
  std::string singer;
};

// A catalogue file that cannot be used; what() names the line and the fault.
class CatalogueError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Parses catalogue text: one song per line, three tab-separated columns id,
// title, singer. Blank lines and lines starting with '#' are skipped; a UTF-8
// byte-order mark and CR before LF are tolerated. Throws CatalogueError for a
// wrong column count, an id that is not seven digits without a leading zero, a
// repeated id, an empty title, or text that is not valid UTF-8. Keeps file order.
[[nodiscard]] std::vector<Song> ParseCatalogue(std::string_view text);

// Reads and parses the file at `path`; a file that cannot be read throws
// CatalogueError as well.
[[nodiscard]] std::vector<Song> LoadCatalogue(const std::string& path);

// The song with `id`, or nullptr.
[[nodiscard]] const Song* FindSong(const std::vector<Song>& songs, long long id);

// Songs whose title or singer contains `key`, ASCII letters compared without
// case, everything else byte for byte; in catalogue order. An empty key matches
// every song.
[[nodiscard]] std::vector<const Song*> SearchSongs(const std::vector<Song>& songs,
                                                   std::string_view key);

}  // namespace qingyou::site
