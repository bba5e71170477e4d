#include "app/messageboxes.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <cstdio>

#include "apptestsupport.h"
#include "text/codepage.h"
#include "text/runtimeerror.h"

namespace qingyou {
namespace {

using testing::ModalBoxWatcher;
using testing::SeenBox;

TEST(MessageBoxes, InfoBoxHasItsCaptionOneOkButtonNoIconAndNoOwner) {
  const auto box = MakeInfoBox(Utf8ToGbk("第一行\r\n<b>第二行</b>"));
  EXPECT_EQ(box->windowTitle(), QStringLiteral("信息："));
  // Plain text, one line per CR LF; markup is shown, not interpreted.
  EXPECT_EQ(box->text(), QStringLiteral("第一行\n<b>第二行</b>"));
  EXPECT_EQ(box->textFormat(), Qt::PlainText);
  EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
  ASSERT_EQ(box->buttons().size(), 1);
  EXPECT_EQ(box->standardButton(box->buttons().front()), QMessageBox::Ok);
  EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
  EXPECT_EQ(box->parentWidget(), nullptr);
}

TEST(MessageBoxes, ShowInfoBoxReturnsOnceTheBoxIsDismissed) {
  SeenBox seen;
  const ModalBoxWatcher watcher(&seen);
  ShowInfoBox(Utf8ToGbk("悬浮模式设置成功"));
  ASSERT_TRUE(seen.seen);
  EXPECT_EQ(seen.text, QStringLiteral("悬浮模式设置成功"));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(MessageBoxes, RuntimeErrorBoxHasTheErrorIconAndNoOwner) {
  const auto box = MakeRuntimeErrorBox(RuntimeErrorText(4, Utf8ToGbk("下标")));
  EXPECT_EQ(box->windowTitle(), QStringLiteral("错误"));
  EXPECT_EQ(box->icon(), QMessageBox::Critical);
  EXPECT_EQ(box->text(), QStringLiteral("运行时出错!\n\n错误代码：4\n\n错误信息：下标\n"));
  EXPECT_EQ(box->buttons().size(), 1);
  EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
  EXPECT_EQ(box->parentWidget(), nullptr);
}

// What start-up does when the main window cannot be made: the box, then the
// process ends with -1 once the user has dismissed it.
TEST(MessageBoxesDeathTest, FatalErrorShowsTheBoxThenEndsWithMinusOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        InstallRuntimeErrorBox();
        SeenBox seen;
        const ModalBoxWatcher watcher(&seen, [&seen] {
          std::fprintf(stderr, "box up: caption %d icon %d text %d owner %d modal %d\n",
                       seen.caption == QStringLiteral("错误"), seen.icon == QMessageBox::Critical,
                       seen.text == QStringLiteral("运行时出错!\n\n错误信息：载入启动窗口失败\n"),
                       seen.hasParent, seen.modality == Qt::ApplicationModal);
        });
        RaiseRuntimeError(0, Utf8ToGbk("载入启动窗口失败"));
      },
      ::testing::ExitedWithCode(255), "box up: caption 1 icon 1 text 1 owner 0 modal 1");
}

}  // namespace
}  // namespace qingyou
