#pragma once

#include "text/text.h"

namespace qingyou {

enum class PlayerWindowKind { Windowed, Floating };

// The two player windows as playback sees them; the shell implements this.
class PlayerWindows {
 public:
  virtual ~PlayerWindows() = default;
  // OpenWindow for the player window of `kind`: creates it from its layout or
  // restores/activates the open one. False when it cannot be created.
  virtual bool Open(PlayerWindowKind kind) = 0;
  // Points the browser strip 超文本浏览框1 of the open window of `kind` at
  // `url`, starting a navigation on every call. False when that window is not
  // open.
  virtual bool SetStripAddress(PlayerWindowKind kind, const Text& url) = 0;
};

}  // namespace qingyou
