#pragma once

#include "text/text.h"

namespace qingyou {

// The UTF-8 page as GBK text: malformed UTF-8 becomes U+FFFD (and so "?"),
// characters GBK lacks become "?", and the text ends at the first NUL. A page
// cut inside a multi-byte sequence keeps everything before it. Never fails.
// Details: one "?" per maximal ill-formed subsequence, so a sequence cut off at
// the end of the page gives a single "?"; a character beyond U+FFFF gives one
// "?"; no close-equivalent mapping is tried.
[[nodiscard]] Text DecodeUtf8Page(const ByteString& page);

}  // namespace qingyou
