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
// strip cannot be made.
[[nodiscard]] BrowserStrip* CreateBrowserStrip(QWidget* parent);

// The web engine shares OpenGL contexts with the windows, which must be asked
// for before the QApplication is constructed. Linking this loader already
// does it before main() runs; calling this there as well says so where it
// matters. Pulls in no part of the engine itself. A program whose application
// was made without shared contexts gets no strips (CreateBrowserStrip gives
// nullptr) instead of an engine that crashes as it starts.
void PrepareBrowserStrip();

}  // namespace qingyou
