#include "search/onsearchclicked.h"

#include "search/encodekeyword.h"
#include "search/fetchpage.h"
#include "search/listsearchresults.h"
#include "text/textops.h"

namespace qingyou {

void OnSearchClicked(const Text& keyword, ResultList& list, const SongSite& site) {
  // Emptied first, so that a search that fails or finds nothing leaves no
  // line of the previous one behind.
  list.ClearItems();
  const Text encoded = EncodeKeyword(keyword);
  // A typed keyword that cannot be encoded would go out as an empty key, and
  // the site would answer with songs that have nothing to do with it. An
  // empty box, on the other hand, is a search for the empty key.
  if (encoded.empty() && !keyword.empty()) return;
  const Text url = TextConcat(SearchBaseUrl(site), encoded, "&kind=1");
  ListSearchResults(FetchPage(url), site, list);
}

}  // namespace qingyou
