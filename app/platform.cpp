#include "app/platform.h"

#include <QByteArray>
#include <QtGlobal>
#include <cstdlib>
#include <cstring>

namespace qingyou {

bool ShouldUseXcb(const char* display, const char* qpaPlatform, int argc, const char* const* argv) {
  if (display == nullptr || *display == '\0') return false;
  if (qpaPlatform != nullptr && *qpaPlatform != '\0') return false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
      return false;
    }
  }
  return true;
}

void PreferXcbPlatform(int argc, const char* const* argv) {
  // The program centres its windows and keeps the floating player above the
  // others; Wayland lets no client do either. Where an X server is at hand
  // (XWayland included) the X11 platform gets both right.
  if (ShouldUseXcb(std::getenv("DISPLAY"), std::getenv("QT_QPA_PLATFORM"), argc, argv)) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb"));
  }
}

}  // namespace qingyou
