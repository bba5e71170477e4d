#pragma once

#include <QWidget>

class QUrl;

namespace qingyou {

// The browser strip 超文本浏览框1 of the player windows. Its web engine lives in
// a module of its own that is loaded the first time a strip is made, so that
// starting the program and searching never pay for the engine.
//
// A strip is 256 x 40, disabled (presses over it reach the window it sits in,
// keys never reach the page) and blank until it is given an address; the page
// may play sound without a user gesture and show its own dialogs.
class BrowserStrip : public QWidget {
 public:
  using QWidget::QWidget;
  // Starts a navigation to `url` on every call, also to the address shown.
  virtual void SetAddress(const QUrl& url) = 0;
  // The address last set; empty until the first SetAddress.
  [[nodiscard]] virtual QUrl Address() const = 0;
  // Whether the page has made sound in the last moments (the engine keeps it
  // true for a short while after the sound stops).
  [[nodiscard]] virtual bool RecentlyAudible() const = 0;
  // Navigations started and finished (successfully or not) since the strip
  // was made; lets tests and tools watch loads without a signal.
  [[nodiscard]] virtual int LoadsStarted() const = 0;
  [[nodiscard]] virtual int LoadsFinished() const = 0;
};

// Loads the module on first use; nullptr when it cannot be loaded or the
// strip cannot be made. The engine needs an OpenGL context shared with the
// windows: unless the application already has one, the first call makes it.
// Without OpenGL on the display (no context can be made, or the
// application's is unusable) it gives nullptr and loads no engine.
[[nodiscard]] BrowserStrip* CreateBrowserStrip(QWidget* parent);

// Optional, before the QApplication is constructed: has the application make
// the shared OpenGL context as it starts, for a program that shows a strip
// at once anyway. Others leave it to the first strip and start without that
// cost. Pulls in no part of the engine itself.
void PrepareBrowserStrip();

}  // namespace qingyou
