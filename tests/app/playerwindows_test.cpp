#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QWindow>

#include "app/floatingplayerwindow.h"
#include "app/noteslabel.h"
#include "app/playerwindow.h"
#include "apptestsupport.h"

namespace qingyou {
namespace {

using testing::CentredOnScreen;
using testing::ShellTest;

using PlayerWindowsTest = ShellTest;

TEST_F(PlayerWindowsTest, PlayerWindowHasItsCaptionNotesAndBlankDisabledStrip) {
  ASSERT_TRUE(shell->OpenWindow(WindowId::Player));
  PlayerWindow* window = shell->Player();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

  EXPECT_EQ(window->windowTitle(), QStringLiteral("青柚_歌曲"));
  EXPECT_EQ(window->frameGeometry().size(), QSize(273, 243));
  EXPECT_EQ(window->frameGeometry().topLeft(), CentredOnScreen(QSize(273, 243)));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  const Qt::WindowFlags flags = window->windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowStaysOnTopHint));

  QLabel* notes = window->findChild<QLabel*>(QStringLiteral("标签1"));
  ASSERT_NE(notes, nullptr);
  EXPECT_EQ(notes->geometry(), QRect(8, 56, 256, 152));
  EXPECT_TRUE(notes->wordWrap());
  EXPECT_EQ(notes->alignment(), Qt::AlignLeft | Qt::AlignTop);
  EXPECT_EQ(notes->palette().color(QPalette::WindowText), QColor(128, 128, 255));
  EXPECT_EQ(notes->text(), QStringLiteral("此版本为1.1版本\n"
                                          "1、增加歌曲搜索功能\n"
                                          "2、增加列表框排序功能\n"
                                          "3、修复听着听着会卡死的问题\n"
                                          "4、增加悬浮窗口听歌功能\n"
                                          "5、歌曲可以无限循环放        V：1.1\n"
                                          "\n"
                                          "此版本是初始版本\n"
                                          "1、分析网页的音乐\n"
                                          "2、完美去网页广告\n"
                                          "3、优化内存\n"
                                          "4、修改XP风格                 V：1.0"));

  // Every line of the notes, wrapped ones included, stays inside the box.
  auto* fitted = qobject_cast<NotesLabel*>(notes);
  ASSERT_NE(fitted, nullptr);
  EXPECT_GE(fitted->LineCount(), 12);
  EXPECT_LE(fitted->LineCount() * fitted->LinePitch(), 152);
  EXPECT_GE(fitted->LinePitch(), notes->fontMetrics().ascent());

  auto* strip = window->findChild<BrowserStrip*>(QStringLiteral("超文本浏览框1"));
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip, window->Strip());
  EXPECT_EQ(strip->geometry(), QRect(8, 8, 256, 40));
  EXPECT_FALSE(strip->isEnabled());
  EXPECT_TRUE(strip->Address().isEmpty());
}

TEST_F(PlayerWindowsTest, FloatingPlayerIsABareStripOnTopAndInTheTaskbar) {
  ASSERT_TRUE(shell->OpenWindow(WindowId::FloatingPlayer));
  FloatingPlayerWindow* window = shell->FloatingPlayer();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

  const Qt::WindowFlags flags = window->windowFlags();
  EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Window);  // not a tool window: taskbar entry
  EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(window->windowTitle().isEmpty());
  EXPECT_EQ(window->parentWidget(), nullptr);

  EXPECT_EQ(window->frameGeometry().size(), QSize(260, 45));
  EXPECT_EQ(window->frameGeometry().topLeft(), CentredOnScreen(QSize(260, 45)));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());

  // The strip fills the area inside the window's own thin frame.
  const int frame = window->frameWidth();
  EXPECT_GE(frame, 1);
  EXPECT_LE(frame, 2);
  BrowserStrip* strip = window->Strip();
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip->objectName(), QStringLiteral("超文本浏览框1"));
  EXPECT_EQ(strip->geometry(), QRect(frame, frame, 256, 40));
  EXPECT_FALSE(strip->isEnabled());
  EXPECT_TRUE(strip->Address().isEmpty());
}

TEST_F(PlayerWindowsTest, DraggingAnywhereOnTheFloatingPlayerMovesIt) {
  ASSERT_TRUE(shell->OpenWindow(WindowId::FloatingPlayer));
  FloatingPlayerWindow* window = shell->FloatingPlayer();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  QWindow* handle = window->windowHandle();

  // Over the disabled strip, and on the frame's bottom edge below it.
  for (const QPoint grab : {QPoint(100, 20), QPoint(130, 43)}) {
    SCOPED_TRACE(grab.y());
    const QPoint start = window->pos();
    const QPoint grabbed = handle->mapToGlobal(grab);
    // The pointer's path on the screen; each event is given relative to
    // wherever the window has got to by then.
    QTest::mousePress(handle, Qt::LeftButton, {}, grab);
    for (const QPoint step : {QPoint(15, 7), QPoint(37, -12)}) {
      QTest::mouseMove(handle, handle->mapFromGlobal(grabbed + step));
      QCoreApplication::processEvents();
    }
    QTest::mouseRelease(handle, Qt::LeftButton, {},
                        handle->mapFromGlobal(grabbed + QPoint(37, -12)));
    QCoreApplication::processEvents();
    EXPECT_EQ(window->pos(), start + QPoint(37, -12));

    // Once released, the pointer moves on without the window.
    const QPoint after = window->pos();
    QTest::mouseMove(handle, QPoint(5, 5));
    QCoreApplication::processEvents();
    EXPECT_EQ(window->pos(), after);
  }
}

TEST_F(PlayerWindowsTest, DraggingThePlayerWindowsClientAreaDoesNothing) {
  ASSERT_TRUE(shell->OpenWindow(WindowId::Player));
  PlayerWindow* window = shell->Player();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  QWindow* handle = window->windowHandle();
  const QPoint start = window->pos();
  QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(100, 20));
  QTest::mouseMove(handle, QPoint(140, 60));
  QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(140, 60));
  QCoreApplication::processEvents();
  EXPECT_EQ(window->pos(), start);
}

TEST_F(PlayerWindowsTest, EscClosesEitherPlayer) {
  for (const WindowId id : {WindowId::Player, WindowId::FloatingPlayer}) {
    ASSERT_TRUE(shell->OpenWindow(id));
    const QPointer<QWidget> window(shell->Window(id));
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_Escape);
    testing::ProcessDeferredDeletes();
    EXPECT_TRUE(window.isNull());
    EXPECT_FALSE(shell->IsOpen(id));
  }
}

TEST(NotesLabel, KeepsTheFontsOwnSpacingWhenThereIsRoom) {
  NotesLabel label(QStringLiteral("一\n二\n\n三"));
  label.setGeometry(0, 0, 256, 152);
  EXPECT_EQ(label.LineCount(), 4);
  EXPECT_EQ(label.LinePitch(), label.fontMetrics().lineSpacing());
  // Wrapping counts: a line twice as wide as the box takes two or more.
  label.setText(QString(40, QChar(0x4E00)));
  label.setGeometry(0, 0, 20 * label.fontMetrics().horizontalAdvance(QChar(0x4E00)), 152);
  EXPECT_GE(label.LineCount(), 2);
}

}  // namespace
}  // namespace qingyou
