#pragma once

#include <vector>

#include "text/text.h"

namespace qingyou {

// One line of the result list.
struct ResultLine {
  Text display;
  int value = 0;
};

// The result lines for `identifiers`, the song ids that
// CollectBetween(page, linkStart, linkEnd, ...) cut out of `page`: line i
// (from 1) reads IntToText(i), five spaces and the id's title, with
// TextToInt(id) as its value. The title is exactly what
// TextBetween(page, linkStart + id + linkEnd, titleEnd) gives, so an id that
// occurs twice gets the title after its first link both times, and a missing
// title is empty. Looking each title up that way costs ids x page size; here
// the page is walked once, so the cost grows with the page size. Any other
// ids, and markers for which one walk cannot be shown to give the same
// titles (see MarkersAllowOnePass), fall back to the per-id lookup.
[[nodiscard]] std::vector<ResultLine> ComposeResultLines(const Text& page,
                                                         const TextArray& identifiers,
                                                         const Text& linkStart, const Text& linkEnd,
                                                         const Text& titleEnd);

// Whether ComposeResultLines can find every title in one walk for these
// markers: both non-empty, `linkStart` made of whole characters (its
// character steps end at its last byte) and not overlapping itself, no start
// marker able to begin inside an end marker, and the end marker not inside
// the start marker. The site's markers pass for any origin without '<' or
// '"' in it.
[[nodiscard]] bool MarkersAllowOnePass(const Text& linkStart, const Text& linkEnd) noexcept;

}  // namespace qingyou
