#pragma once

#include <QWidget>

namespace qingyou {

class BrowserStrip;

// The one entry point of the web-engine module, resolved by name when the
// module is loaded. Returns a new strip owned by `parent`, or nullptr.
using CreateWebStripFunction = BrowserStrip* (*)(QWidget* parent);
inline constexpr const char* kCreateWebStripSymbol = "QingyouCreateWebStrip";

}  // namespace qingyou
