#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "site/catalogue.h"

namespace qingyou::site {

// "/player.swf?songtype=fc&songid=<id>" and "/audio/<id>.wav": where the site
// serves a song's player page and its clip.
[[nodiscard]] std::string PlayerPath(int id);
[[nodiscard]] std::string AudioPath(int id);

// The search result page. Each song stands as the cell link
//   <td class="ser_list_name"><a href="BASE ID.html" title="T" target="_blank">T</a></td>
// with T the HTML-escaped title and BASE `songPageBaseUrl` ("http://host:port/"),
// followed by singer and listen cells. `key` is echoed (escaped, control
// characters shown as spaces) and may be empty. No other text in the page
// contains the cell-link prefix, so a scan for it finds exactly the songs.
[[nodiscard]] std::string ResultPage(const std::vector<const Song*>& songs, std::string_view key,
                                     std::string_view songPageBaseUrl);

// A song's own page: title, singer and a link to its player page.
[[nodiscard]] std::string SongPage(const Song& song);

// The player page for the 256 x 40 strip: no margins, no scroll bars, the
// title, and the clip playing at once and in a loop.
[[nodiscard]] std::string PlayerPage(const Song& song);

// The player page for a request that names no known song: a short notice and
// no audio at all.
[[nodiscard]] std::string PlayerMissingPage();

// A page that says `what` was not found, with a link back to the search.
[[nodiscard]] std::string NotFoundPage(std::string_view what);

// The front page: a search box and a link that lists every song.
[[nodiscard]] std::string HomePage();

}  // namespace qingyou::site
