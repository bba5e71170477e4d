#include "search/listsearchresults.h"

#include "search/collectbetween.h"
#include "search/decodeutf8page.h"
#include "search/markers.h"
#include "search/resultlines.h"

namespace qingyou {

void ListSearchResults(const ByteString& body, const SongSite& site, ResultList& list) {
  const Text page = DecodeUtf8Page(body);
  const Text linkStart = SongLinkStart(site);
  const Text linkEnd = SongLinkEnd();
  TextArray identifiers;
  CollectBetween(page, linkStart, linkEnd, identifiers);
  for (const ResultLine& line :
       ComposeResultLines(page, identifiers, linkStart, linkEnd, TitleEnd())) {
    // A refused line is simply missing; its index is of no further use.
    static_cast<void>(list.AddItem(line.display, line.value));
  }
}

}  // namespace qingyou
