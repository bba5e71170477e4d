#pragma once

#include <QObject>
#include <array>
#include <functional>

#include "app/mainwindow.h"
#include "app/stripfactory.h"
#include "playback/playerwindows.h"
#include "search/songsite.h"

namespace qingyou {

class FloatingPlayerWindow;
class PlayerWindow;
class ShellWindow;

enum class WindowId { Main, Player, FloatingPlayer };

struct ShellOptions {
  SongSite site = DefaultSongSite();
  // Empty: CreateBrowserStrip, the web engine loaded on first use.
  StripFactory makeStrip;
  // Empty: OnSearchClicked against `site`.
  MainWindow::SearchHandler search;
};

// The program's windows: at most one of each, opened on demand, destroyed
// when closed. A window counts as closed from the moment it accepts a close
// request, so opening it again at once makes a new one instead of showing
// the one on its way out. Once the event loop runs, the closing of the last
// of them ends it; windows of other kinds (message boxes) do not count.
class Shell final : public QObject, public PlayerWindows {
 public:
  explicit Shell(ShellOptions options = {});
  // Closes the windows still open without ending any event loop.
  ~Shell() override;
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;

  // An open window is restored when minimised, raised and activated. A
  // closed one is made hidden from its layout, centred, given its created
  // event (the main window turns on the XP-style look), shown and activated.
  // False, with nothing changed, when the window cannot be made.
  bool OpenWindow(WindowId id);

  // The open window `id`; nullptr when it is closed.
  [[nodiscard]] ShellWindow* Window(WindowId id) const;
  [[nodiscard]] bool IsOpen(WindowId id) const { return Window(id) != nullptr; }
  [[nodiscard]] bool AnyWindowOpen() const;
  [[nodiscard]] MainWindow* Main() const;
  [[nodiscard]] PlayerWindow* Player() const;
  [[nodiscard]] FloatingPlayerWindow* FloatingPlayer() const;

  // Runs the event loop until the last window has been destroyed; returns
  // at once with 0 when no window is open. The loop's exit code.
  int Run();

  bool Open(PlayerWindowKind kind) override;
  bool SetStripAddress(PlayerWindowKind kind, const Text& url) override;

 private:
  [[nodiscard]] ShellWindow* Create(WindowId id);
  void Forget(WindowId id, const ShellWindow* window);

  ShellOptions options_;
  std::array<ShellWindow*, 3> windows_{};
  bool loopRunning_ = false;
  bool closingAll_ = false;
};

}  // namespace qingyou
