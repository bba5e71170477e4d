#pragma once

#include <QString>

#include "text/text.h"

namespace qingyou {

// The program keeps its texts as GBK bytes; the toolkit works in UTF-16.
// These two are the only crossings.

// GBK to QString; a byte that starts no GBK character shows as U+FFFD.
[[nodiscard]] QString ToQString(const Text& gbk);

// ToQString with each CR LF turned into the toolkit's line break, for texts
// shown on several lines (labels, message boxes).
[[nodiscard]] QString ToQStringLines(const Text& gbk);

// QString to GBK. A character GBK lacks becomes "?" on its own, the way a
// GBK edit box hands such a character to a program, so the rest of a typed
// keyword survives; the text ends at an embedded NUL like every Text.
[[nodiscard]] Text ToText(const QString& text);

}  // namespace qingyou
