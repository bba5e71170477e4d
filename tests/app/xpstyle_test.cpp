#include "app/xpstyle.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <functional>
#include <memory>

namespace qingyou {
namespace {

// The colour of the middle of a widget's left edge, where its frame is.
QColor LeftEdge(QWidget& widget) {
  const QImage image = widget.grab().toImage();
  return image.pixelColor(0, image.height() / 2);
}

struct Kind {
  const char* name;
  std::function<std::unique_ptr<QWidget>()> make;
};

const Kind kRestyled[] = {
    {"QPushButton", [] { return std::make_unique<QPushButton>(QStringLiteral("OK")); }},
    {"QLineEdit", [] { return std::make_unique<QLineEdit>(); }},
    {"QSpinBox", [] { return std::make_unique<QSpinBox>(); }},
    {"QComboBox", [] { return std::make_unique<QComboBox>(); }},
    {"QGroupBox", [] { return std::make_unique<QGroupBox>(); }},
};

std::unique_ptr<QWidget> Sized(std::unique_ptr<QWidget> widget) {
  widget->resize(80, 32);
  return widget;
}

class XpStyleTest : public ::testing::Test {
 protected:
  // The main window turns scheme 3 on; leave it that way for later tests.
  void TearDown() override { ApplyXpStyle(3); }
};

TEST_F(XpStyleTest, EachSchemeFramesControlsPresentAndLaterInItsColour) {
  const struct {
    int scheme;
    QColor frame;
  } schemes[] = {
      {1, QColor(123, 158, 189)}, {2, QColor(164, 185, 127)}, {3, QColor(198, 197, 215)}};
  for (const auto& s : schemes) {
    for (const Kind& kind : kRestyled) {
      SCOPED_TRACE(std::string(kind.name) + " scheme " + std::to_string(s.scheme));
      ApplyXpStyle(0);
      const auto present = Sized(kind.make());
      EXPECT_TRUE(ApplyXpStyle(s.scheme));
      EXPECT_EQ(LeftEdge(*present), s.frame);
      const auto later = Sized(kind.make());
      EXPECT_EQ(LeftEdge(*later), s.frame);
    }
  }
}

TEST_F(XpStyleTest, OtherSchemesTakeTheLookOff) {
  for (const int scheme : {0, 4, -1}) {
    SCOPED_TRACE(scheme);
    ASSERT_TRUE(ApplyXpStyle(3));
    const auto button = Sized(kRestyled[0].make());
    ASSERT_EQ(LeftEdge(*button), QColor(198, 197, 215));
    EXPECT_FALSE(ApplyXpStyle(scheme));
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    EXPECT_NE(LeftEdge(*button), QColor(198, 197, 215));
  }
}

TEST_F(XpStyleTest, ListsKeepTheirOwnFrame) {
  ASSERT_TRUE(ApplyXpStyle(3));
  QListWidget list;
  list.resize(80, 80);
  EXPECT_NE(LeftEdge(list), QColor(198, 197, 215));
}

}  // namespace
}  // namespace qingyou
