#include "search/collectbetween.h"

#include <optional>
#include <utility>

#include "text/textops.h"

namespace qingyou {

int CollectBetween(const Text& page, const Text& startMarker, const Text& endMarker,
                   TextArray& result, const CollectOptions& options) {
  Clear(result);
  TextArray pieces = TextSplit(page, startMarker);
  // The first piece is what stands before the first start marker (or the
  // whole page when there is none): never an item.
  RemoveFirst(pieces);
  for (const Text& piece : pieces) {
    const int pos = TextFind(piece, endMarker, std::nullopt, options.caseInsensitive);
    if (pos == -1) continue;
    Text item = TextLeft(piece, pos - 1);
    if (options.maxLength != 0 && TextLength(item) > options.maxLength) continue;
    item = TextConcat(options.prefix, item, options.suffix);
    if (options.includeStart) {
      item = TextConcat(startMarker, item);
    } else if (options.includeEnd) {
      item = TextConcat(item, endMarker);
    }
    Append(result, std::move(item));
  }
  return Count(result);
}

}  // namespace qingyou
