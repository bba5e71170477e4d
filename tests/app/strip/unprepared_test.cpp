#include <gtest/gtest.h>

#include <QApplication>
#include <QOpenGLContext>
#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

#include "app/strip/browserstrip.h"
#include "tests/app/strip/contextchecks.h"
#include "tests/app/strip/enginemapped.h"
#include "tests/app/strip/loopbackserver.h"

namespace qingyou {
namespace {

// The program asks for nothing before its application is made, so that
// starting it and searching never pay for OpenGL: the first strip makes the
// context the engine shares with the windows, and the engine must draw and
// play through it, in a new window as well as in one already on the screen.
TEST(BrowserStripLoader, WithoutPreparationTheFirstStripMakesTheSharedContextAndPlays) {
  const testing::MessageLog log;
  ASSERT_FALSE(QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts));
  EXPECT_EQ(QOpenGLContext::globalShareContext(), nullptr);

  testing::LoopbackServer server;
  testing::ServeColourAndTone(server);
  ASSERT_TRUE(server.Start());
  // Like the main window: up before any strip exists.
  QWidget mainWindow;
  mainWindow.resize(192, 355);
  mainWindow.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));

  // Like a player window: the strip is made before the window is shown.
  QWidget player;
  player.resize(272, 56);
  BrowserStrip* strip = CreateBrowserStrip(&player);
  ASSERT_NE(strip, nullptr);
  QOpenGLContext* shared = QOpenGLContext::globalShareContext();
  ASSERT_NE(shared, nullptr);
  EXPECT_TRUE(shared->isValid());
  EXPECT_NE(testing::ProcessMaps().find("libQt6WebEngineCore"), std::string::npos);
  strip->move(8, 8);
  player.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&player));
  testing::ExpectDrawsAndPlays(*strip, server);

  // Closing a player window discards its strip; the next one goes into a
  // window already shown and keeps the same context.
  delete strip;
  BrowserStrip* next = CreateBrowserStrip(&player);
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(QOpenGLContext::globalShareContext(), shared);
  next->move(8, 8);
  next->show();
  testing::ExpectDrawsAndPlays(*next, server);

  // Neither Qt nor the engine may complain that contexts were not asked for
  // before the application was made.
  EXPECT_EQ(log.Containing("AA_ShareOpenGLContexts"), std::vector<std::string>{});
  EXPECT_EQ(log.Containing("OpenGL context creation failed"), std::vector<std::string>{});
}

}  // namespace
}  // namespace qingyou

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  // As a program might have it, whatever else is linked in.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts, false);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
