#pragma once

#include <QPoint>
#include <QSize>

#include "app/shellwindow.h"
#include "app/stripfactory.h"

namespace qingyou {

// The floating-mode player: a bare browser strip in a thin raised frame, no
// title bar, above ordinary windows, still in the taskbar. A left-button
// press anywhere on it, the disabled strip included, drags it; Esc closes it.
class FloatingPlayerWindow final : public ShellWindow {
  Q_OBJECT

 public:
  static constexpr QSize kOuterSize{260, 45};

  // A new hidden window with a blank, disabled strip from `makeStrip`;
  // nullptr when the strip cannot be made.
  [[nodiscard]] static FloatingPlayerWindow* Create(const StripFactory& makeStrip);

  [[nodiscard]] BrowserStrip* Strip() const { return strip_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  FloatingPlayerWindow();

  BrowserStrip* strip_ = nullptr;
  bool dragging_ = false;
  // Where the pointer grabbed the window, from its outer top-left corner.
  QPoint grabOffset_;
};

}  // namespace qingyou
