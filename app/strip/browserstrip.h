#pragma once

#include <QWidget>

class QUrl;

namespace qingyou {

// The browser strip 超文本浏览框1 of the player windows. Its web engine lives in
// a module of its own that is loaded the first time a strip is made, so that
// starting the program and searching never pay for the engine.
class BrowserStrip : public QWidget {
 public:
  using QWidget::QWidget;
  // Starts a navigation to `url` on every call, also to the address shown.
  virtual void SetAddress(const QUrl& url) = 0;
  // The address last set; empty until the first SetAddress.
  [[nodiscard]] virtual QUrl Address() const = 0;
};

// Loads the module on first use; nullptr when it cannot be loaded or the
// strip cannot be made.
[[nodiscard]] BrowserStrip* CreateBrowserStrip(QWidget* parent);

}  // namespace qingyou
