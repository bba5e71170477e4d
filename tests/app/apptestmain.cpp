#include <gtest/gtest.h>

#include <QApplication>

// One QApplication for every widget test. The offscreen platform needs no
// display; a test run by hand gets it too unless a platform was chosen.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  }
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
