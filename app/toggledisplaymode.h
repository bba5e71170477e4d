#pragma once

namespace qingyou {

class MainWindow;

// Handler of a left-button press on the mode link. The link's own text picks
// the direction: "悬浮模式" switches to floating mode, any other text to
// windowed mode. The information box comes first and is waited for; then
// DisplayMode, the caption of `window` and the link text change together.
// Never opens, closes or changes a player window.
void ToggleDisplayMode(MainWindow& window);

}  // namespace qingyou
