#include "playback/displaymode.h"

namespace qingyou {

namespace {
int g_displayMode = Windowed;  // touched on the UI thread only
}  // namespace

int DisplayMode() noexcept { return g_displayMode; }

void SetDisplayMode(int mode) noexcept { g_displayMode = mode; }

}  // namespace qingyou
