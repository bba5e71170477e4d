#pragma once

#include "text/text.h"

namespace qingyou {

struct CollectOptions {
  // Applies to the end marker only; the start marker always matches exactly.
  bool caseInsensitive = false;
  // 0: no limit. Otherwise a bare item longer than this is dropped (an item of
  // exactly maxLength bytes is kept); a negative limit drops every item.
  int maxLength = 0;
  // Put around the bare item.
  Text prefix{};
  Text suffix{};
  // Put the start marker before the item; wins over includeEnd.
  bool includeStart = false;
  // Put the end marker after the item, unless includeStart is set.
  bool includeEnd = false;
};

// Fills `result` (emptied first) with the text that follows each start marker
// up to the first end marker before the next start marker, in page order and
// with duplicates kept. The page is split at the start markers the way
// TextSplit does, so the text before the first start marker never yields an
// item and a piece without an end marker yields nothing; an end marker right
// after the start marker yields an empty item. Returns Count(result).
int CollectBetween(const Text& page, const Text& startMarker, const Text& endMarker,
                   TextArray& result, const CollectOptions& options = {});

}  // namespace qingyou
