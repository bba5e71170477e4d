#include "app/shell.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "app/floatingplayerwindow.h"
#include "app/playerwindow.h"
#include "apptestsupport.h"
#include "text/codepage.h"

namespace qingyou {
namespace {

using testing::FakeStrip;
using testing::ProcessDeferredDeletes;
using testing::ShellTest;

struct WindowCase {
  const char* name;
  WindowId id;
};

const WindowCase kPlayerWindows[] = {{"PlayerWindow", WindowId::Player},
                                     {"FloatingPlayerWindow", WindowId::FloatingPlayer}};

TEST_F(ShellTest, OpeningAnOpenWindowReusesIt) {
  ASSERT_NE(OpenMain(), nullptr);
  for (const WindowCase& c : kPlayerWindows) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(shell->OpenWindow(c.id));
    const int before = static_cast<int>(QApplication::topLevelWidgets().size());
    const QWidget* first = shell->Window(c.id);
    ASSERT_TRUE(shell->OpenWindow(c.id));
    EXPECT_EQ(shell->Window(c.id), first);
    EXPECT_EQ(static_cast<int>(QApplication::topLevelWidgets().size()), before);
  }
}

TEST_F(ShellTest, OpeningAMinimisedWindowRestoresItAndAnotherOneIsActivated) {
  MainWindow* main = OpenMain();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(shell->OpenWindow(WindowId::Player));
  PlayerWindow* player = shell->Player();
  ASSERT_TRUE(QTest::qWaitForWindowActive(player));

  player->showMinimized();
  QCoreApplication::processEvents();
  ASSERT_TRUE(player->isMinimized());
  ASSERT_TRUE(shell->OpenWindow(WindowId::Player));
  EXPECT_EQ(shell->Player(), player);
  EXPECT_FALSE(player->isMinimized());
  EXPECT_TRUE(player->isVisible());
  EXPECT_TRUE(QTest::qWaitForWindowActive(player));

  main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main));
  ASSERT_TRUE(shell->OpenWindow(WindowId::Player));
  EXPECT_TRUE(QTest::qWaitForWindowActive(player));
  EXPECT_EQ(QApplication::activeWindow(), player);
}

TEST(ShellFailure, APlayerWindowWithoutAStripIsNotOpenedAndNothingChanges) {
  ShellOptions options;
  options.makeStrip = testing::FailingStripFactory();
  options.search = [](const Text&, ResultList&) {};
  Shell shell(options);
  ASSERT_TRUE(shell.OpenWindow(WindowId::Main));
  const int before = static_cast<int>(QApplication::topLevelWidgets().size());
  for (const WindowCase& c : kPlayerWindows) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(shell.OpenWindow(c.id));
    EXPECT_FALSE(shell.IsOpen(c.id));
  }
  EXPECT_FALSE(shell.SetStripAddress(PlayerWindowKind::Windowed, "http://127.0.0.1:9/x"));
  EXPECT_FALSE(shell.SetStripAddress(PlayerWindowKind::Floating, "http://127.0.0.1:9/x"));
  ProcessDeferredDeletes();
  EXPECT_EQ(static_cast<int>(QApplication::topLevelWidgets().size()), before);
  EXPECT_TRUE(shell.IsOpen(WindowId::Main));
}

TEST_F(ShellTest, StripAddressGoesToTheOpenWindowOfThatKindOnEverySet) {
  EXPECT_FALSE(shell->SetStripAddress(PlayerWindowKind::Windowed, "http://127.0.0.1:9/a"));
  ASSERT_TRUE(shell->Open(PlayerWindowKind::Windowed));
  EXPECT_FALSE(shell->SetStripAddress(PlayerWindowKind::Floating, "http://127.0.0.1:9/a"));

  auto* strip = static_cast<FakeStrip*>(shell->Player()->Strip());
  EXPECT_TRUE(strip->addresses.empty());
  const Text url = "http://127.0.0.1:9/player.swf?songtype=fc&songid=-1";
  EXPECT_TRUE(shell->SetStripAddress(PlayerWindowKind::Windowed, url));
  EXPECT_TRUE(shell->SetStripAddress(PlayerWindowKind::Windowed, url));
  ASSERT_EQ(strip->addresses.size(), 2u);
  EXPECT_EQ(strip->addresses[1].toString(),
            QStringLiteral("http://127.0.0.1:9/player.swf?songtype=fc&songid=-1"));
}

TEST_F(ShellTest, AReopenedPlayerStartsFromItsLayoutWithABlankStrip) {
  for (const WindowCase& c : kPlayerWindows) {
    SCOPED_TRACE(c.name);
    const PlayerWindowKind kind =
        c.id == WindowId::Player ? PlayerWindowKind::Windowed : PlayerWindowKind::Floating;
    ASSERT_TRUE(shell->Open(kind));
    ASSERT_TRUE(shell->SetStripAddress(kind, "http://127.0.0.1:9/one"));
    QWidget* window = shell->Window(c.id);
    window->move(10, 10);
    const QPointer<QWidget> old(window);
    window->close();
    ProcessDeferredDeletes();
    ASSERT_TRUE(old.isNull());
    EXPECT_FALSE(shell->IsOpen(c.id));

    ASSERT_TRUE(shell->Open(kind));
    BrowserStrip* strip =
        c.id == WindowId::Player ? shell->Player()->Strip() : shell->FloatingPlayer()->Strip();
    EXPECT_TRUE(strip->Address().isEmpty());
    EXPECT_NE(shell->Window(c.id)->pos(), QPoint(10, 10));
  }
}

TEST_F(ShellTest, OpeningRightAfterACloseMakesANewWindowNotTheOneOnItsWayOut) {
  for (const WindowCase& c : kPlayerWindows) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(shell->OpenWindow(c.id));
    const QPointer<QWidget> old(shell->Window(c.id));
    old->close();
    // The closed window still exists until the event loop deletes it.
    ASSERT_FALSE(old.isNull());
    EXPECT_FALSE(shell->IsOpen(c.id));
    ASSERT_TRUE(shell->OpenWindow(c.id));
    EXPECT_NE(shell->Window(c.id), old.data());
    EXPECT_TRUE(shell->Window(c.id)->isVisible());
    ProcessDeferredDeletes();
    EXPECT_TRUE(old.isNull());
    EXPECT_TRUE(shell->IsOpen(c.id));
  }
}

// The event loop of Run ends when, and only when, the last of the program's
// windows has been destroyed.
TEST_F(ShellTest, ClosingTheMainWindowKeepsTheProgramRunningWhileAPlayerIsOpen) {
  ASSERT_NE(OpenMain(), nullptr);
  ASSERT_TRUE(shell->OpenWindow(WindowId::Player));

  bool stillRunningWithoutMain = false;
  bool timedOut = false;
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [&] {
    timedOut = true;
    QCoreApplication::exit(99);
  });
  watchdog.start(10000);

  QTimer::singleShot(0, [&] { shell->Main()->close(); });
  QTimer::singleShot(100, [&] {
    // The main window is gone, the loop still turns, the player is open.
    stillRunningWithoutMain = !shell->IsOpen(WindowId::Main) && shell->IsOpen(WindowId::Player);
    // A message box coming and going is not one of the program's windows.
    QMessageBox box;
    QTimer::singleShot(0, &box, &QMessageBox::accept);
    box.exec();
    QTimer::singleShot(100, [&] {
      if (shell->IsOpen(WindowId::Player)) shell->Player()->close();
    });
  });

  const int code = shell->Run();
  EXPECT_FALSE(timedOut);
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(stillRunningWithoutMain);
  EXPECT_FALSE(shell->AnyWindowOpen());
}

TEST_F(ShellTest, RunReturnsAtOnceWhenNoWindowIsOpen) {
  ASSERT_NE(OpenMain(), nullptr);
  shell->Main()->close();
  ProcessDeferredDeletes();
  ASSERT_FALSE(shell->AnyWindowOpen());
  // Would end a loop that Run wrongly entered; dies with the test otherwise.
  QTimer stray;
  stray.setSingleShot(true);
  QObject::connect(&stray, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  stray.start(0);
  EXPECT_EQ(shell->Run(), 0);
}

}  // namespace
}  // namespace qingyou
