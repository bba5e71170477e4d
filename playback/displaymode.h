#pragma once

namespace qingyou {

enum DisplayModeValue : int { Windowed = 0, Floating = 1 };

// The process-wide display mode: Windowed at every start, never stored.
// Written only by ToggleDisplayMode; 0 means windowed, anything else floating.
[[nodiscard]] int DisplayMode() noexcept;
void SetDisplayMode(int mode) noexcept;

}  // namespace qingyou
