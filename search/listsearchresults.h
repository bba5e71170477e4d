#pragma once

#include "search/resultlist.h"
#include "search/songsite.h"
#include "text/text.h"

namespace qingyou {

// What a search does once the page is in: decodes the UTF-8 `body`, cuts the
// song links of `site` out of it and adds one line per link to `list`
// ("i" + five spaces + title, the song id as value), in page order. Adds to
// whatever the list holds; a line the list refuses is missing, and the
// following lines keep their numbers.
void ListSearchResults(const ByteString& body, const SongSite& site, ResultList& list);

}  // namespace qingyou
