#pragma once

#include <QFrame>
#include <QMargins>
#include <QRect>
#include <QSize>

namespace qingyou {

// What the program's three windows share: a fixed outer size (frame and
// title bar included), a place in the middle of the screen, no minimise or
// maximise box, destruction on close, and Esc as a close request.
class ShellWindow : public QFrame {
  Q_OBJECT

 public:
  // `flags` adds to Qt::Window; `outer` includes whatever frame the window
  // manager draws.
  ShellWindow(QSize outer, Qt::WindowFlags flags);

  [[nodiscard]] QSize OuterSize() const { return outer_; }

  // Shows the window and makes it the active one. The request is made again
  // when the window first paints if it did not take by then: without a
  // window manager, a window whose making took long (the web engine's)
  // can miss the first one.
  void ShowActivated();

  // Top-left of a window of `outer` size centred on `screen`: half the room
  // left over on each axis, by integer division.
  [[nodiscard]] static QPoint CentredPosition(const QRect& screen, QSize outer);

 signals:
  // The window has accepted a close request; it is hidden and will be
  // destroyed once control is back in the event loop.
  void closed();

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Once the window manager's frame is known, shrinks the client area so the
  // outer size stays as laid out, and centres the framed window once more.
  void FitToFrame();

  QSize outer_;
  QMargins fittedFrame_;
  bool activationPending_ = false;
};

// Title bar with system menu and close box, nothing else.
inline constexpr Qt::WindowFlags kTitledWindowFlags =
    Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowCloseButtonHint;

}  // namespace qingyou
