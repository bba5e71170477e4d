#pragma once

#include <vector>

#include "search/resultlines.h"
#include "search/textbetween.h"
#include "text/textops.h"

namespace qingyou {

// The result lines built the plain way: every title looked up by its own
// TextBetween over the whole page. Slow (ids x page size) but obviously
// right; the one-walk composition is checked and timed against it.
inline std::vector<ResultLine> LiteralResultLines(const Text& page, const TextArray& identifiers,
                                                  const Text& linkStart, const Text& linkEnd,
                                                  const Text& titleEnd) {
  std::vector<ResultLine> lines;
  const int n = Count(identifiers);
  for (int i = 1; i <= n; ++i) {
    const Text left = TextConcat(linkStart, At(identifiers, i), linkEnd);
    const Text title = TextBetween(page, left, titleEnd);
    lines.push_back({TextConcat(IntToText(i), "     ", title), TextToInt(At(identifiers, i))});
  }
  return lines;
}

}  // namespace qingyou
