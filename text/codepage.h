#pragma once

#include <string>
#include <string_view>

#include "text/text.h"

namespace qingyou {

// UTF-8 to GBK in one pass; the empty text when `utf8` is not valid UTF-8 or
// holds a character GBK lacks. Ends at the first NUL like every Text.
[[nodiscard]] Text Utf8ToGbk(std::string_view utf8);

// GBK to UTF-8 for showing a text; bytes that do not form a GBK character
// become U+FFFD each, so nothing is ever lost silently.
[[nodiscard]] std::string GbkToUtf8(std::string_view gbk);
[[nodiscard]] inline std::string GbkToUtf8(const Text& gbk) {
  return GbkToUtf8(gbk.view());
}

}  // namespace qingyou
