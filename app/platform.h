#pragma once

namespace qingyou {

// Whether to ask Qt for its X11 (xcb) platform: an X display is there
// (`display` set and not empty; XWayland counts) and the user chose no
// platform (`qpaPlatform` unset or empty, no -platform or --platform among
// the arguments).
[[nodiscard]] bool ShouldUseXcb(const char* display, const char* qpaPlatform, int argc,
                                const char* const* argv);

// Sets QT_QPA_PLATFORM to xcb when ShouldUseXcb says so for this process.
// Call before the QApplication is made.
void PreferXcbPlatform(int argc, const char* const* argv);

}  // namespace qingyou
