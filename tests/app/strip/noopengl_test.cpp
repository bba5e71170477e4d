#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <cstring>
#include <string>
#include <vector>

#include "app/strip/browserstrip.h"
#include "tests/app/strip/contextchecks.h"
#include "tests/app/strip/enginemapped.h"

// Run on a display without OpenGL (QT_XCB_GL_INTEGRATION=none), where the
// engine crashes as it starts whether or not the application was asked for
// shared contexts; "--prepared" asks for them.

namespace qingyou {
namespace {

// Searching must go on without strips rather than end in a crash, and
// asking again must not start the engine after all.
TEST(BrowserStripLoader, WithoutOpenGLMakesNoStripAndLoadsNoEngine) {
  const testing::MessageLog log;
  QWidget player;
  for (int attempt = 1; attempt <= 2; ++attempt) {
    EXPECT_EQ(CreateBrowserStrip(&player), nullptr) << "attempt " << attempt;
  }
  const std::string maps = testing::ProcessMaps();
  ASSERT_NE(maps.find("libQt6Widgets"), std::string::npos);
  EXPECT_EQ(maps.find("libQt6WebEngine"), std::string::npos);
  // Said once for each strip refused, so that it is in the log however late
  // the first player window opens.
  const std::vector<std::string> warnings = log.Containing("browser strip:");
  EXPECT_EQ(warnings.size(), 2u);
  for (const std::string& warning : warnings) {
    EXPECT_NE(warning.find("OpenGL"), std::string::npos) << warning;
  }
}

}  // namespace
}  // namespace qingyou

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--prepared") == 0) qingyou::PrepareBrowserStrip();
  }
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
