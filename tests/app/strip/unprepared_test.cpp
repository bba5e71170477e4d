#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "app/strip/browserstrip.h"
#include "tests/app/strip/enginemapped.h"

namespace qingyou {
namespace {

// An application made without shared OpenGL contexts gets no strip instead
// of an engine that crashes as it starts.
TEST(BrowserStripLoader, WithoutPreparationMakesNoStripAndLoadsNoEngine) {
  QWidget host;
  EXPECT_EQ(CreateBrowserStrip(&host), nullptr);
  const std::string maps = testing::ProcessMaps();
  ASSERT_NE(maps.find("libQt6Widgets"), std::string::npos);
  EXPECT_EQ(maps.find("libQt6WebEngine"), std::string::npos);
}

}  // namespace
}  // namespace qingyou

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  // Undo what linking the loader set up, as a program might by mistake.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts, false);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
