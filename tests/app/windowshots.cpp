// app_window_shots DIR
//
// Opens the main window and both player windows the way the program does
// (real browser strips) and saves what the screen shows of each, window
// frame included when a window manager draws one, as DIR/main-window.png,
// DIR/player-window.png and DIR/floating-player-window.png. A tool for the
// documentation, run on a virtual display:
//   scripts/headless.sh build/<dir>/tests/app/app_window_shots docs
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <cstdio>

#include "app/messageboxes.h"
#include "app/platform.h"
#include "app/shell.h"
#include "app/shellwindow.h"
#include "app/strip/browserstrip.h"

namespace {

bool Shoot(qingyou::Shell& shell, qingyou::WindowId id, const QString& file) {
  if (!shell.OpenWindow(id)) {
    std::fprintf(stderr, "app_window_shots: cannot open %s\n", qUtf8Printable(file));
    return false;
  }
  QWidget* window = shell.Window(id);
  if (!QTest::qWaitForWindowExposed(window)) return false;
  // Let fonts, the style and a window manager's frame settle.
  QTest::qWait(1500);
  const QRect frame = window->frameGeometry();
  const QPixmap shot =
      window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
  if (!shot.save(file)) {
    std::fprintf(stderr, "app_window_shots: cannot write %s\n", qUtf8Printable(file));
    return false;
  }
  std::printf("%s: %dx%d at %d,%d\n", qUtf8Printable(file), frame.width(), frame.height(),
              frame.x(), frame.y());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  qingyou::PreferXcbPlatform(argc, argv);
  qingyou::PrepareBrowserStrip();
  QApplication app(argc, argv);
  qingyou::InstallRuntimeErrorBox();
  if (argc != 2) {
    std::fprintf(stderr, "usage: app_window_shots DIR\n");
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  qingyou::Shell shell;
  const bool ok =
      Shoot(shell, qingyou::WindowId::Main, dir.filePath(QStringLiteral("main-window.png"))) &&
      Shoot(shell, qingyou::WindowId::Player, dir.filePath(QStringLiteral("player-window.png"))) &&
      Shoot(shell, qingyou::WindowId::FloatingPlayer,
            dir.filePath(QStringLiteral("floating-player-window.png")));
  return ok ? 0 : 1;
}
