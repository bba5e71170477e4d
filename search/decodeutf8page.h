#pragma once

#include "text/text.h"

namespace qingyou {

// The UTF-8 page as GBK text: malformed UTF-8 becomes U+FFFD (and so "?"),
// characters GBK lacks become "?", and the text ends at the first NUL. A page
// cut inside a multi-byte sequence keeps everything before it. Never fails.
[[nodiscard]] Text DecodeUtf8Page(const ByteString& page);

}  // namespace qingyou
