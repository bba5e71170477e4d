#pragma once

#include <QColor>
#include <optional>

namespace qingyou {

// Frame colour of the XP-style look for `scheme` 1, 2 or 3; none otherwise.
[[nodiscard]] std::optional<QColor> XpStyleFrameColour(int scheme);

// Restyles the push buttons, check boxes, radio buttons, group boxes, edit
// boxes, combo boxes and up-down controls of every window, present and
// later, in the frame colour of `scheme` 1, 2 or 3; any other value removes
// the look. Lists, labels, links and browser strips keep their own look.
// Returns whether the look is on. Needs the QApplication.
bool ApplyXpStyle(int scheme);

}  // namespace qingyou
