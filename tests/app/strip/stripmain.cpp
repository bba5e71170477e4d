#include <gtest/gtest.h>

#include <QApplication>

#include "tests/app/strip/enginemapped.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Seen before anything could have loaded the engine, for the test that
  // shows it is loaded on demand only.
  qingyou::testing::gMapsAtStart = qingyou::testing::ProcessMaps();
  // Listing the tests needs no display.
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  // No PrepareBrowserStrip() here: like the program, the tests leave the
  // shared OpenGL context to the first strip.
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
