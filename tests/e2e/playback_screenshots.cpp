// Takes the README's pictures of playback: the main window after a search,
// the player window while its song plays, and the main window listing the
// whole catalogue. Writes search-results.png, player-playing.png and
// search-all.png into the folder given as the only argument.
//
// Run it through playback_screenshots.sh, which gives it a virtual display
// with a window manager, so the windows wear their frames and captions.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <cstdio>

#include "app/mainwindow.h"
#include "app/playerwindow.h"
#include "app/resultlistview.h"
#include "app/shell.h"
#include "app/strip/browserstrip.h"
#include "tests/app/strip/waituntil.h"
#include "tests/e2e/e2esupport.h"
#include "tests/e2e/soundmonitor.h"
#include "tests/e2e/toolsession.h"

namespace qingyou {
namespace {

// The window with the frame the window manager drew around it, as on screen.
bool Shoot(QWidget& window, const QString& path) {
  QApplication::processEvents();
  const QRect frame = window.frameGeometry();
  const QPixmap picture =
      window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
  if (picture.isNull() || !picture.save(path)) {
    std::fprintf(stderr, "could not write %s\n", qUtf8Printable(path));
    return false;
  }
  std::printf("wrote %s (%dx%d)\n", qUtf8Printable(path), picture.width(), picture.height());
  return true;
}

int Run(const QDir& out) {
  testing::ToolSession session;
  if (!session.Start()) return 1;
  testing::SoundMonitor& monitor = session.Monitor();
  Shell& shell = session.Windows();
  MainWindow& main = *shell.Main();

  testing::SearchFor(main, QStringLiteral("月亮"));
  if (main.List()->ItemCount() == 0) {
    std::fprintf(stderr, "the search found nothing\n");
    return 1;
  }
  // Let the window manager settle the frame and the list draw.
  testing::Pause(500);
  if (!Shoot(main, out.filePath(QStringLiteral("search-results.png")))) return 1;

  const std::size_t mark = monitor.Mark();
  testing::DoubleClickLine(main, 2);
  PlayerWindow* player = shell.Player();
  if (player == nullptr ||
      !testing::WaitUntil([&] { return player->Strip()->RecentlyAudible(); }, 60000)) {
    std::fprintf(stderr, "the song did not start\n");
    return 1;
  }
  testing::Pause(1500);
  const testing::SoundLevel level = monitor.LevelSince(mark);
  std::printf("playing: rms %.3f, peak %.3f over %.1f s\n", level.rms, level.peak, level.seconds);
  if (!Shoot(*player, out.filePath(QStringLiteral("player-playing.png")))) return 1;

  // An empty keyword lists the whole catalogue: more lines than one column
  // holds, so the list continues in the next column and scrolls sideways.
  testing::SearchFor(main, QString());
  if (main.List()->ItemCount() <= 20) {
    std::fprintf(stderr, "the empty search listed too few songs to fill a column\n");
    return 1;
  }
  main.activateWindow();
  testing::Pause(500);
  return Shoot(main, out.filePath(QStringLiteral("search-all.png"))) ? 0 : 1;
}

}  // namespace
}  // namespace qingyou

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2 || !QDir(QString::fromLocal8Bit(argv[1])).exists()) {
    std::fprintf(stderr, "usage: playback_screenshots EXISTING_FOLDER\n");
    return 2;
  }
  return qingyou::Run(QDir(QString::fromLocal8Bit(argv[1])));
}
