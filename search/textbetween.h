#pragma once

#include "text/text.h"

namespace qingyou {

// The bytes between the first `leftMarker` in `page` and the first
// `rightMarker` after it (both found by TextFind, stepping over two-byte
// characters). Empty when the left marker is absent, when no right marker
// follows it, when they touch, or when the right marker is empty. An empty
// left marker stands at the start of the page, so the result is then the
// bytes before the first right marker.
[[nodiscard]] Text TextBetween(const Text& page, const Text& leftMarker, const Text& rightMarker);

}  // namespace qingyou
