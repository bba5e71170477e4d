#pragma once

#include "search/resultlist.h"
#include "search/songsite.h"
#include "text/text.h"

namespace qingyou {

// The search button's handler: empties `list`, then fills it with one line
// "i" + five spaces + title per song of the site's result page for `keyword`
// (GBK, exactly as typed), each with the song id as its value. Reports
// nothing; a failed search leaves the list empty or short.
void OnSearchClicked(const Text& keyword, ResultList& list,
                     const SongSite& site = DefaultSongSite());

}  // namespace qingyou
