#include "app/shell.h"

#include <QApplication>
#include <QUrl>
#include <new>

#include "app/floatingplayerwindow.h"
#include "app/gbk.h"
#include "app/playerwindow.h"
#include "app/xpstyle.h"
#include "playback/onresultdoubleclicked.h"
#include "search/onsearchclicked.h"

namespace qingyou {

namespace {

std::size_t Slot(WindowId id) {
  return static_cast<std::size_t>(id);
}

WindowId PlayerId(PlayerWindowKind kind) {
  return kind == PlayerWindowKind::Windowed ? WindowId::Player : WindowId::FloatingPlayer;
}

}  // namespace

Shell::Shell(ShellOptions options) : options_(std::move(options)) {
  if (!options_.makeStrip) {
    options_.makeStrip = [](QWidget* parent) { return CreateBrowserStrip(parent); };
  }
  if (!options_.search) {
    options_.search = [site = options_.site](const Text& keyword, ResultList& list) {
      OnSearchClicked(keyword, list, site);
    };
  }
  // The program ends by its own rule (Forget), not when the last visible
  // window closes: a closing message box must not end it.
  QGuiApplication::setQuitOnLastWindowClosed(false);
}

Shell::~Shell() {
  closingAll_ = true;
  for (ShellWindow* window : windows_) delete window;
}

bool Shell::AnyWindowOpen() const {
  for (const ShellWindow* window : windows_) {
    if (window != nullptr) return true;
  }
  return false;
}

ShellWindow* Shell::Window(WindowId id) const {
  return windows_[Slot(id)];
}

MainWindow* Shell::Main() const {
  return static_cast<MainWindow*>(Window(WindowId::Main));
}

PlayerWindow* Shell::Player() const {
  return static_cast<PlayerWindow*>(Window(WindowId::Player));
}

FloatingPlayerWindow* Shell::FloatingPlayer() const {
  return static_cast<FloatingPlayerWindow*>(Window(WindowId::FloatingPlayer));
}

ShellWindow* Shell::Create(WindowId id) {
  try {
    switch (id) {
      case WindowId::Main:
        return new MainWindow(options_.search, [this](const ResultList& list) {
          OnResultDoubleClicked(list, *this, options_.site);
        });
      case WindowId::Player:
        return PlayerWindow::Create(options_.makeStrip);
      case WindowId::FloatingPlayer:
        return FloatingPlayerWindow::Create(options_.makeStrip);
    }
  } catch (const std::bad_alloc&) {
  }
  return nullptr;
}

bool Shell::OpenWindow(WindowId id) {
  if (ShellWindow* open = Window(id)) {
    if (open->isMinimized()) open->setWindowState(open->windowState() & ~Qt::WindowMinimized);
    open->ShowActivated();
    return true;
  }

  ShellWindow* window = Create(id);
  if (window == nullptr) return false;
  windows_[Slot(id)] = window;
  connect(window, &ShellWindow::closed, this, [this, id, window] { Forget(id, window); });
  connect(window, &QObject::destroyed, this, [this, id, window] { Forget(id, window); });

  // The main window's created event: all controls exist, nothing is shown.
  if (id == WindowId::Main) ApplyXpStyle(3);

  if (Window(id) == window) window->ShowActivated();
  return true;
}

void Shell::Forget(WindowId id, const ShellWindow* window) {
  // A window already closed, or one that replaced it, is not this one.
  if (windows_[Slot(id)] != window) return;
  windows_[Slot(id)] = nullptr;
  if (closingAll_ || !loopRunning_ || AnyWindowOpen()) return;
  QCoreApplication::exit(0);
}

int Shell::Run() {
  if (!AnyWindowOpen()) return 0;
  loopRunning_ = true;
  const int code = QApplication::exec();
  loopRunning_ = false;
  return code;
}

bool Shell::Open(PlayerWindowKind kind) {
  return OpenWindow(PlayerId(kind));
}

bool Shell::SetStripAddress(PlayerWindowKind kind, const Text& url) {
  BrowserStrip* strip = nullptr;
  if (kind == PlayerWindowKind::Windowed) {
    if (PlayerWindow* window = Player()) strip = window->Strip();
  } else {
    if (FloatingPlayerWindow* window = FloatingPlayer()) strip = window->Strip();
  }
  if (strip == nullptr) return false;
  strip->SetAddress(QUrl(ToQString(url)));
  return true;
}

}  // namespace qingyou
