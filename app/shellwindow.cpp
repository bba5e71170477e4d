#include "app/shellwindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace qingyou {

namespace {

QRect ScreenRect() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry() : QRect();
}

}  // namespace

ShellWindow::ShellWindow(QSize outer, Qt::WindowFlags flags)
    : QFrame(nullptr, Qt::Window | flags), outer_(outer) {
  setAttribute(Qt::WA_DeleteOnClose);
  // Until a window manager says otherwise the window has no frame, and the
  // client area is the whole outer size (as under a bare X server).
  setFixedSize(outer_);
  move(CentredPosition(ScreenRect(), outer_));
}

QPoint ShellWindow::CentredPosition(const QRect& screen, QSize outer) {
  return {screen.x() + (screen.width() - outer.width()) / 2,
          screen.y() + (screen.height() - outer.height()) / 2};
}

void ShellWindow::ShowActivated() {
  show();
  raise();
  activateWindow();
  activationPending_ = true;
}

bool ShellWindow::event(QEvent* event) {
  const bool handled = QFrame::event(event);
  switch (event->type()) {
    case QEvent::Paint:
      if (activationPending_) {
        activationPending_ = false;
        if (!isActiveWindow()) {
          QMetaObject::invokeMethod(this, &QWidget::activateWindow, Qt::QueuedConnection);
        }
      }
      break;
    case QEvent::WindowActivate:
      activationPending_ = false;
      FitToFrame();
      break;
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
      FitToFrame();
      break;
    default:
      break;
  }
  return handled;
}

void ShellWindow::closeEvent(QCloseEvent* event) {
  QFrame::closeEvent(event);
  if (event->isAccepted()) emit closed();
}

void ShellWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QFrame::keyPressEvent(event);
}

void ShellWindow::FitToFrame() {
  if (!isVisible()) return;
  const QRect outer = frameGeometry();
  const QRect client = geometry();
  const QMargins frame(client.left() - outer.left(), client.top() - outer.top(),
                       outer.right() - client.right(), outer.bottom() - client.bottom());
  if (frame == fittedFrame_ || frame.left() < 0 || frame.top() < 0 || frame.right() < 0 ||
      frame.bottom() < 0) {
    return;
  }
  const bool firstFrame = fittedFrame_.isNull();
  fittedFrame_ = frame;
  setFixedSize(outer_.width() - frame.left() - frame.right(),
               outer_.height() - frame.top() - frame.bottom());
  // The first frame arrives as the window appears, before anyone could have
  // moved it: place the framed window in the middle again.
  if (firstFrame) move(CentredPosition(ScreenRect(), outer_));
}

}  // namespace qingyou
