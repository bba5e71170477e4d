#pragma once

#include "search/songsite.h"
#include "text/text.h"

namespace qingyou {

// Each song on the result page is the cell link
//   <td class="ser_list_name"><a href="{song page base}{id}.html" title="{title}" target="_blank">
// matched byte for byte; the three markers below cut it apart.

// `<td class="ser_list_name"><a href="` followed directly by the site's song
// page base address: what stands before each song id.
[[nodiscard]] Text SongLinkStart(const SongSite& site);

// `.html" title="`: ends the song id and opens its title.
[[nodiscard]] Text SongLinkEnd();

// `" target="_blank">`: ends the title.
[[nodiscard]] Text TitleEnd();

}  // namespace qingyou
