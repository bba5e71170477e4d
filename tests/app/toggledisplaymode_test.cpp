#include "app/toggledisplaymode.h"

#include <gtest/gtest.h>

#include <QTest>

#include "app/floatingplayerwindow.h"
#include "app/linklabel.h"
#include "app/mainwindow.h"
#include "app/playerwindow.h"
#include "app/resultlistview.h"
#include "apptestsupport.h"

namespace qingyou {
namespace {

using testing::FakeStrip;
using testing::ModalBoxWatcher;
using testing::SeenBox;
using testing::ShellTest;

class ToggleDisplayModeTest : public ShellTest {
 protected:
  struct Press {
    SeenBox box;
    // The main window's caption and link text while the box was up.
    QString captionMeanwhile;
    QString linkMeanwhile;
    int modeMeanwhile = -1;
  };

  // A left-button press on the link, the box dismissed by OK, then the
  // button let go.
  Press PressLink(MainWindow* window) {
    Press press;
    ModalBoxWatcher watcher(&press.box, [&] {
      press.captionMeanwhile = window->windowTitle();
      press.linkMeanwhile = window->Link()->text();
      press.modeMeanwhile = DisplayMode();
    });
    QTest::mousePress(window->Link(), Qt::LeftButton);
    QTest::mouseRelease(window->Link(), Qt::LeftButton);
    return press;
  }
};

TEST_F(ToggleDisplayModeTest, TwoPressesGoToFloatingAndBackAfterTheirBoxes) {
  MainWindow* window = OpenMain();
  ASSERT_NE(window, nullptr);

  const struct {
    QString message;
    QString captionBefore;
    QString linkBefore;
    int modeBefore;
    QString captionAfter;
    QString linkAfter;
    int modeAfter;
  } steps[] = {
      {QStringLiteral("悬浮模式设置成功"), QStringLiteral("青柚_歌曲   [窗口]"),
       QStringLiteral("悬浮模式"), Windowed, QStringLiteral("青柚_歌曲   [悬浮]"),
       QStringLiteral("窗口模式"), Floating},
      {QStringLiteral("窗口模式设置成功"), QStringLiteral("青柚_歌曲   [悬浮]"),
       QStringLiteral("窗口模式"), Floating, QStringLiteral("青柚_歌曲   [窗口]"),
       QStringLiteral("悬浮模式"), Windowed},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.message.toStdString());
    const Press press = PressLink(window);
    ASSERT_TRUE(press.box.seen);
    EXPECT_EQ(press.box.caption, QStringLiteral("信息："));
    EXPECT_EQ(press.box.text, step.message);
    EXPECT_EQ(press.box.icon, QMessageBox::NoIcon);
    EXPECT_EQ(press.box.modality, Qt::ApplicationModal);
    EXPECT_FALSE(press.box.hasParent);
    EXPECT_EQ(press.box.buttons, 1);
    // Nothing changes until the box has been dismissed.
    EXPECT_EQ(press.captionMeanwhile, step.captionBefore);
    EXPECT_EQ(press.linkMeanwhile, step.linkBefore);
    EXPECT_EQ(press.modeMeanwhile, step.modeBefore);

    EXPECT_EQ(window->windowTitle(), step.captionAfter);
    EXPECT_EQ(window->Link()->text(), step.linkAfter);
    EXPECT_EQ(DisplayMode(), step.modeAfter);
  }
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(ToggleDisplayModeTest, TheLinkTextNotTheStoredModeDecidesTheDirection) {
  MainWindow* window = OpenMain();
  ASSERT_NE(window, nullptr);
  const struct {
    const char* name;
    int modeBefore;
    QString linkBefore;
    QString message;
    int modeAfter;
  } cases[] = {
      {"LinkSaysFloatingWhileModeIsFloating", Floating, QStringLiteral("悬浮模式"),
       QStringLiteral("悬浮模式设置成功"), Floating},
      {"LinkSaysWindowedWhileModeIsWindowed", Windowed, QStringLiteral("窗口模式"),
       QStringLiteral("窗口模式设置成功"), Windowed},
      {"AnyOtherTextSwitchesToWindowed", Floating, QStringLiteral("悬浮模式 "),
       QStringLiteral("窗口模式设置成功"), Windowed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetDisplayMode(c.modeBefore);
    window->Link()->setText(c.linkBefore);
    const Press press = PressLink(window);
    ASSERT_TRUE(press.box.seen);
    EXPECT_EQ(press.box.text, c.message);
    EXPECT_EQ(DisplayMode(), c.modeAfter);
  }
}

TEST_F(ToggleDisplayModeTest, SwitchingLeavesAnOpenPlayerAloneAndTheNextPlayUsesTheNewMode) {
  MainWindow* window = OpenMain();
  ASSERT_NE(window, nullptr);
  ResultListView* list = window->List();
  list->AddItem("1     first", 2345678);
  list->AddItem("2     second", 91);
  QCoreApplication::processEvents();

  // Through the window, so the toolkit sees press, release, press, release
  // and makes the double-click of them itself.
  const auto doubleClickLine = [&](int index) {
    const QPoint at = list->visualRect(list->model()->index(index, 0)).center();
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                       list->viewport()->mapTo(window, at));
  };

  doubleClickLine(0);
  ASSERT_TRUE(shell->IsOpen(WindowId::Player));
  EXPECT_FALSE(shell->IsOpen(WindowId::FloatingPlayer));
  auto* windowedStrip = static_cast<FakeStrip*>(shell->Player()->Strip());
  ASSERT_EQ(windowedStrip->addresses.size(), 1u);
  EXPECT_EQ(windowedStrip->Address().toString(),
            QStringLiteral("http://127.0.0.1:9/player.swf?songtype=fc&songid=2345678"));

  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  ASSERT_TRUE(PressLink(window).box.seen);
  ASSERT_EQ(DisplayMode(), Floating);
  EXPECT_TRUE(shell->IsOpen(WindowId::Player));
  EXPECT_EQ(windowedStrip->addresses.size(), 1u);

  doubleClickLine(1);
  ASSERT_TRUE(shell->IsOpen(WindowId::FloatingPlayer));
  EXPECT_TRUE(shell->IsOpen(WindowId::Player));
  auto* floatingStrip = static_cast<FakeStrip*>(shell->FloatingPlayer()->Strip());
  ASSERT_EQ(floatingStrip->addresses.size(), 1u);
  EXPECT_EQ(floatingStrip->Address().toString(),
            QStringLiteral("http://127.0.0.1:9/player.swf?songtype=fc&songid=91"));
  // The windowed player still holds its own song.
  EXPECT_EQ(windowedStrip->addresses.size(), 1u);
}

}  // namespace
}  // namespace qingyou
