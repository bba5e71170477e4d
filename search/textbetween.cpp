#include "search/textbetween.h"

#include "text/textops.h"

namespace qingyou {

Text TextBetween(const Text& page, const Text& leftMarker, const Text& rightMarker) {
  const int left = TextFind(page, leftMarker);
  // Without this test the -1 would go on into the arithmetic below and the
  // result would be cut from an unrelated place in the page.
  if (left == -1) return {};
  const Text rest = TextMid(page, left + TextLength(leftMarker), TextLength(page));
  const int right = TextFind(rest, rightMarker);
  return TextMid(rest, 1, right - 1);
}

}  // namespace qingyou
