#include <gtest/gtest.h>

#include <QApplication>
#include <QOpenGLContext>
#include <QTest>
#include <QWidget>

#include "app/strip/browserstrip.h"
#include "tests/app/strip/contextchecks.h"
#include "tests/app/strip/loopbackserver.h"

namespace qingyou {
namespace {

// A program that prepared the strip has the application's context; strips
// must use that one rather than make a second that the windows do not share.
TEST(BrowserStripLoader, PreparedApplicationsContextIsTheOneStripsShare) {
  QOpenGLContext* shared = QOpenGLContext::globalShareContext();
  ASSERT_NE(shared, nullptr);
  EXPECT_TRUE(shared->isValid());

  testing::LoopbackServer server;
  testing::ServeColourAndTone(server);
  ASSERT_TRUE(server.Start());
  QWidget player;
  player.resize(272, 56);
  BrowserStrip* strip = CreateBrowserStrip(&player);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(QOpenGLContext::globalShareContext(), shared);
  strip->move(8, 8);
  player.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&player));
  testing::ExpectDrawsAndPlays(*strip, server);
}

}  // namespace
}  // namespace qingyou

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  qingyou::PrepareBrowserStrip();
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
