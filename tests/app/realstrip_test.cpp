// The player windows with the real browser strip (web engine), on a virtual
// display: they open, hold a blank disabled strip, and the floating one can
// still be dragged by a press over the engine's own widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWindow>

#include "app/floatingplayerwindow.h"
#include "app/playerwindow.h"
#include "app/shell.h"
#include "app/strip/browserstrip.h"
#include "playback/displaymode.h"

namespace qingyou {
namespace {

class RealStripTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ShellOptions options;
    options.site = SongSite{Text("http://127.0.0.1:9")};
    options.search = [](const Text&, ResultList&) {};
    shell = std::make_unique<Shell>(options);
  }
  void TearDown() override {
    shell.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  std::unique_ptr<Shell> shell;
};

TEST_F(RealStripTest, BothPlayersOpenWithABlankDisabledStrip) {
  for (const WindowId id : {WindowId::Player, WindowId::FloatingPlayer}) {
    ASSERT_TRUE(shell->OpenWindow(id));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(shell->Window(id)));
    BrowserStrip* strip =
        id == WindowId::Player ? shell->Player()->Strip() : shell->FloatingPlayer()->Strip();
    ASSERT_NE(strip, nullptr);
    EXPECT_FALSE(strip->isEnabled());
    EXPECT_TRUE(strip->Address().isEmpty());
    EXPECT_EQ(strip->size(), QSize(256, 40));
    EXPECT_EQ(strip->LoadsStarted(), 0);
  }
}

TEST_F(RealStripTest, APressOverTheEngineStillDragsTheFloatingPlayer) {
  ASSERT_TRUE(shell->OpenWindow(WindowId::FloatingPlayer));
  FloatingPlayerWindow* window = shell->FloatingPlayer();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  ASSERT_TRUE(shell->SetStripAddress(PlayerWindowKind::Floating, "about:blank"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->Strip()->LoadsFinished() > 0; }, 30000));

  // Over the strip, whose engine draws in widgets of its own.
  const QPoint grab(120, 20);
  ASSERT_TRUE(window->Strip()->geometry().contains(grab));

  QWindow* handle = window->windowHandle();
  const QPoint start = window->pos();
  const QPoint grabbed = handle->mapToGlobal(grab);
  QTest::mousePress(handle, Qt::LeftButton, {}, grab);
  QTest::mouseMove(handle, handle->mapFromGlobal(grabbed + QPoint(30, 25)));
  QTest::mouseRelease(handle, Qt::LeftButton, {}, handle->mapFromGlobal(grabbed + QPoint(30, 25)));
  EXPECT_TRUE(QTest::qWaitFor([&] { return window->pos() == start + QPoint(30, 25); }, 2000))
      << window->pos().x() << "," << window->pos().y();
}

TEST_F(RealStripTest, EachWindowBecomesActiveWhenOpened) {
  for (const WindowId id : {WindowId::Main, WindowId::Player, WindowId::FloatingPlayer}) {
    ASSERT_TRUE(shell->OpenWindow(id));
    EXPECT_TRUE(QTest::qWaitForWindowActive(shell->Window(id))) << static_cast<int>(id);
  }
}

TEST_F(RealStripTest, EscClosesTheFloatingPlayerAndItsStripGoesWithIt) {
  ASSERT_TRUE(shell->OpenWindow(WindowId::FloatingPlayer));
  FloatingPlayerWindow* window = shell->FloatingPlayer();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  const QPointer<BrowserStrip> strip(window->Strip());
  QTest::keyClick(window, Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(shell->IsOpen(WindowId::FloatingPlayer));
  EXPECT_TRUE(strip.isNull());
}

}  // namespace
}  // namespace qingyou

int main(int argc, char** argv) {
  qingyou::PrepareBrowserStrip();
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
