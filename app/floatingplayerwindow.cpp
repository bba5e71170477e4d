#include "app/floatingplayerwindow.h"

#include <QMouseEvent>
#include <QWindow>
#include <memory>

namespace qingyou {

FloatingPlayerWindow::FloatingPlayerWindow()
    // Not Qt::Tool: the window keeps its own taskbar entry.
    : ShellWindow(kOuterSize, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("FloatingPlayerWindow"));
  // Without a window manager's frame the window draws a thin one itself.
  setFrameStyle(QFrame::WinPanel | QFrame::Raised);
}

FloatingPlayerWindow* FloatingPlayerWindow::Create(const StripFactory& makeStrip) {
  std::unique_ptr<FloatingPlayerWindow> window(new FloatingPlayerWindow());
  BrowserStrip* strip = makeStrip ? makeStrip(window.get()) : nullptr;
  if (strip == nullptr) return nullptr;
  strip->setObjectName(QStringLiteral("超文本浏览框1"));
  // At the top-left of the area inside the frame, filling it.
  const int frame = window->frameWidth();
  strip->setGeometry(frame, frame, 256, 40);
  strip->setEnabled(false);
  window->strip_ = strip;
  return window.release();
}

void FloatingPlayerWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    ShellWindow::mousePressEvent(event);
    return;
  }
  event->accept();
  // A window manager moves the window as if its title bar had been grabbed;
  // without one (or one that cannot) the window follows the pointer itself.
  if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
  dragging_ = true;
  grabOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void FloatingPlayerWindow::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) {
    ShellWindow::mouseMoveEvent(event);
    return;
  }
  event->accept();
  move(event->globalPosition().toPoint() - grabOffset_);
}

void FloatingPlayerWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragging_ = false;
  ShellWindow::mouseReleaseEvent(event);
}

}  // namespace qingyou
