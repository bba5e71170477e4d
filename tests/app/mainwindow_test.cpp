#include "app/mainwindow.h"

#include <gtest/gtest.h>

#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/linklabel.h"
#include "app/resultlistview.h"
#include "app/xpstyle.h"
#include "apptestsupport.h"
#include "text/codepage.h"

namespace qingyou {
namespace {

using testing::CentredOnScreen;
using testing::ShellTest;

using MainWindowTest = ShellTest;

TEST_F(MainWindowTest, StartsAloneCentredWithItsCaptionLinkAndEmptyControls) {
  ASSERT_TRUE(shell->OpenWindow(WindowId::Main));
  MainWindow* window = shell->Main();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(shell->IsOpen(WindowId::Player));
  EXPECT_FALSE(shell->IsOpen(WindowId::FloatingPlayer));
  EXPECT_EQ(testing::VisibleTopLevelCount(), 1);
  EXPECT_TRUE(window->isVisible());

  EXPECT_EQ(window->windowTitle(), QStringLiteral("青柚_歌曲   [窗口]"));
  EXPECT_EQ(window->Caption(), Utf8ToGbk("青柚_歌曲   [窗口]"));
  EXPECT_EQ(window->Link()->text(), QStringLiteral("悬浮模式"));
  EXPECT_TRUE(window->KeywordBox()->text().isEmpty());
  EXPECT_EQ(window->List()->ItemCount(), 0);
  EXPECT_EQ(window->List()->CurrentIndex(), -1);
  EXPECT_EQ(DisplayMode(), Windowed);

  // The outer size holds whatever frame the platform adds (the offscreen
  // platform pretends a thin one).
  EXPECT_EQ(window->frameGeometry().size(), QSize(192, 355));
  EXPECT_EQ(window->frameGeometry().topLeft(), CentredOnScreen(QSize(192, 355)));
}

struct ControlCase {
  const char* name;
  const char* className;
  QRect place;
  QString text;
};

TEST_F(MainWindowTest, EveryControlSitsAtItsPlaceWithItsText) {
  MainWindow* window = OpenMain();
  ASSERT_NE(window, nullptr);
  const ControlCase controls[] = {
      {"标签2", "QLabel", {20, 307, 140, 16}, QStringLiteral("邮箱：q@example.com")},
      {"超级链接框1", "qingyou::LinkLabel", {45, 3, 52, 16}, QStringLiteral("悬浮模式")},
      {"标签1", "QLabel", {9, 2, 39, 16}, QStringLiteral("搜索：")},
      {"编辑框1", "QLineEdit", {8, 21, 88, 20}, QString()},
      {"按钮1", "QPushButton", {104, 6, 80, 32}, QStringLiteral("搜索")},
      {"列表框1", "qingyou::ResultListView", {3, 42, 181, 264}, QString()},
  };
  for (const ControlCase& control : controls) {
    SCOPED_TRACE(control.name);
    auto* widget = window->findChild<QWidget*>(QString::fromUtf8(control.name));
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget(), window);
    EXPECT_STREQ(widget->metaObject()->className(), control.className);
    EXPECT_EQ(widget->geometry(), control.place);
    EXPECT_TRUE(widget->isVisible());
    QString text;
    if (auto* label = qobject_cast<QLabel*>(widget)) text = label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) text = edit->text();
    if (auto* button = qobject_cast<QPushButton*>(widget)) text = button->text();
    EXPECT_EQ(text, control.text);
  }
  // The contact address stays inside its label.
  auto* label2 = window->findChild<QLabel*>(QStringLiteral("标签2"));
  EXPECT_LE(label2->fontMetrics().horizontalAdvance(label2->text()), 140);
}

TEST_F(MainWindowTest, LabelsAndLinkDrawInTheirColoursAndTheLinkLightensUnderThePointer) {
  MainWindow* window = OpenMain();
  ASSERT_NE(window, nullptr);
  for (const char* name : {"标签1", "标签2"}) {
    auto* label = window->findChild<QLabel*>(QString::fromUtf8(name));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(128, 128, 255)) << name;
  }
  LinkLabel* link = window->Link();
  EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(link->focusPolicy(), Qt::NoFocus);

  const QPointF inside(5, 5);
  QEnterEvent enter(inside, link->mapTo(window, inside), link->mapToGlobal(inside));
  QApplication::sendEvent(link, &enter);
  EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(49, 106, 197));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(link, &leave);
  EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

TEST_F(MainWindowTest, CannotBeResizedMinimisedOrMaximised) {
  MainWindow* window = OpenMain();
  ASSERT_NE(window, nullptr);
  const Qt::WindowFlags flags = window->windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());

  window->resize(300, 400);
  EXPECT_EQ(window->frameGeometry().size(), QSize(192, 355));
}

TEST_F(MainWindowTest, OnlyTheButtonSearchesAndItGetsTheKeywordAsGbk) {
  MainWindow* window = OpenMain();
  ASSERT_NE(window, nullptr);
  QLineEdit* edit = window->KeywordBox();
  edit->setFocus();
  // Chinese arrives the way an input method commits it, the rest as keys.
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("月亮"));
  QApplication::sendEvent(edit, &commit);
  QTest::keyClicks(edit, QStringLiteral(" x"));
  ASSERT_EQ(edit->text(), QStringLiteral("月亮 x"));

  // Enter in the box, and Enter or Return on the focused button, start nothing.
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    QTest::keyClick(edit, key);
    window->SearchButton()->setFocus();
    QTest::keyClick(window->SearchButton(), key);
    edit->setFocus();
  }
  EXPECT_TRUE(searches.empty());
  EXPECT_FALSE(window->SearchButton()->isDefault());

  QTest::mouseClick(window->SearchButton(), Qt::LeftButton);
  ASSERT_EQ(searches.size(), 1u);
  // 月亮 in GBK, then the space and the x exactly as typed.
  EXPECT_EQ(searches[0].str(), std::string("\xd4\xc2\xc1\xc1 x"));

  // An empty box still searches, with the empty keyword.
  edit->clear();
  QTest::mouseClick(window->SearchButton(), Qt::LeftButton);
  ASSERT_EQ(searches.size(), 2u);
  EXPECT_TRUE(searches[1].empty());
}

TEST_F(MainWindowTest, TabMovesBetweenTheKeywordBoxAndTheButtonOnly) {
  MainWindow* window = OpenMain();
  ASSERT_NE(window, nullptr);
  QLineEdit* edit = window->KeywordBox();
  QPushButton* button = window->SearchButton();
  edit->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), edit);

  const struct {
    Qt::Key key;
    QWidget* expected;
  } steps[] = {{Qt::Key_Tab, button},
               {Qt::Key_Tab, edit},
               {Qt::Key_Backtab, button},
               {Qt::Key_Backtab, edit},
               {Qt::Key_Tab, button}};
  for (const auto& step : steps) {
    QTest::keyClick(QApplication::focusWidget(), step.key);
    EXPECT_EQ(QApplication::focusWidget(), step.expected)
        << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString()
                                        : std::string("none"));
  }
  // Clicking the list gives it the focus; Tab goes on from there to a tab stop.
  window->List()->AddItem("1     a", 1);
  QTest::mouseClick(window->List()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(QApplication::focusWidget(), window->List());
  QTest::keyClick(window->List(), Qt::Key_Tab);
  EXPECT_TRUE(QApplication::focusWidget() == edit || QApplication::focusWidget() == button);
}

TEST_F(MainWindowTest, EscClosesItWhereverTheFocusIs) {
  const char* focusOn[] = {"编辑框1", "按钮1", "列表框1"};
  for (const char* name : focusOn) {
    SCOPED_TRACE(name);
    MainWindow* window = OpenMain();
    ASSERT_NE(window, nullptr);
    const QPointer<MainWindow> alive(window);
    auto* target = window->findChild<QWidget*>(QString::fromUtf8(name));
    ASSERT_NE(target, nullptr);
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Escape);
    testing::ProcessDeferredDeletes();
    EXPECT_TRUE(alive.isNull());
    EXPECT_FALSE(shell->IsOpen(WindowId::Main));
  }
}

TEST_F(MainWindowTest, RightButtonOnTheLinkChangesNothing) {
  MainWindow* window = OpenMain();
  ASSERT_NE(window, nullptr);
  QTest::mousePress(window->Link(), Qt::RightButton);
  QTest::mouseRelease(window->Link(), Qt::RightButton);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(DisplayMode(), Windowed);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("青柚_歌曲   [窗口]"));
  EXPECT_EQ(window->Link()->text(), QStringLiteral("悬浮模式"));
}

// Records whether the XP-style look was on when the main window first showed.
class FirstShowSpy : public QObject {
 public:
  bool shown = false;
  bool styledWhenShown = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && !shown && qobject_cast<MainWindow*>(watched) != nullptr) {
      shown = true;
      styledWhenShown = !qApp->styleSheet().isEmpty();
    }
    return false;
  }
};

TEST_F(MainWindowTest, TheXpStyleLookIsOnBeforeTheWindowFirstShows) {
  ASSERT_FALSE(ApplyXpStyle(0));
  ASSERT_TRUE(qApp->styleSheet().isEmpty());
  FirstShowSpy spy;
  qApp->installEventFilter(&spy);
  MainWindow* window = OpenMain();
  qApp->removeEventFilter(&spy);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(spy.shown);
  EXPECT_TRUE(spy.styledWhenShown);

  // Scheme 3's frame colour on the search button's left edge.
  const QImage image = window->SearchButton()->grab().toImage();
  EXPECT_EQ(image.pixelColor(0, image.height() / 2), QColor(198, 197, 215));
}

}  // namespace
}  // namespace qingyou
