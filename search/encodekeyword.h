#pragma once

#include "text/text.h"

namespace qingyou {

// The keyword (GBK) as UTF-8, every byte written "%" + IntToHexText (so 0x09
// gives "%9"). All or nothing: input that is not valid GBK gives the empty
// text, as does the empty keyword.
[[nodiscard]] Text EncodeKeyword(const Text& keyword);

}  // namespace qingyou
