#pragma once

#include <QWidget>
#include <functional>

#include "app/strip/browserstrip.h"

namespace qingyou {

// Makes the browser strip 超文本浏览框1 as a child of `parent`; nullptr when it
// cannot. The program uses CreateBrowserStrip; tests without a web engine
// hand in a plain widget.
using StripFactory = std::function<BrowserStrip*(QWidget* parent)>;

}  // namespace qingyou
