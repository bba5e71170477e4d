#include "app/resultlistview.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>

#include "text/codepage.h"
#include "text/textops.h"

namespace qingyou {
namespace {

class ResultListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.setGeometry(3, 42, 181, 264);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  }

  // Lines "1     title1" ... with values 100, 101, ...
  void Fill(int count) {
    for (int i = 0; i < count; ++i) {
      ASSERT_EQ(list.AddItem(TextConcat(IntToText(i + 1), "     title", IntToText(i + 1)), 100 + i),
                i);
    }
  }

  ResultListView list;
};

TEST_F(ResultListViewTest, KeepsItemsInTheOrderAddedWithTheirValues) {
  // Texts that would sort the other way round stay where they were added.
  const struct {
    const char* utf8;
    int value;
  } items[] = {{"3     zebra", 2345678}, {"2     apple", -1}, {"10     月亮", 0}, {"1     ", 91}};
  for (const auto& item : items) list.AddItem(Utf8ToGbk(item.utf8), item.value);

  ASSERT_EQ(list.ItemCount(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(list.ItemText(i), Utf8ToGbk(items[i].utf8)) << i;
    EXPECT_EQ(list.GetItemValue(i), items[i].value) << i;
    EXPECT_EQ(list.model()->index(i, 0).data(Qt::UserRole).toInt(), items[i].value) << i;
  }
  EXPECT_EQ(list.model()->index(2, 0).data().toString(), QStringLiteral("10     月亮"));
}

TEST_F(ResultListViewTest, GetItemValueIsMinusOneOutsideTheItems) {
  EXPECT_EQ(list.GetItemValue(0), -1);
  Fill(3);
  for (const int index : {-1, -2147483647 - 1, 3, 4, 2147483647}) {
    EXPECT_EQ(list.GetItemValue(index), -1) << index;
  }
  // An item whose value is -1 is told apart only by the index being inside.
  list.AddItem("4     minus one", -1);
  EXPECT_EQ(list.GetItemValue(3), -1);
  EXPECT_EQ(list.GetItemValue(2), 102);
}

TEST_F(ResultListViewTest, AFreshFillLeavesNoItemCurrentEvenWithTheKeyboardCursorOnOne) {
  Fill(5);
  list.SelectItem(2);
  ASSERT_EQ(list.CurrentIndex(), 2);

  list.ClearItems();
  EXPECT_EQ(list.ItemCount(), 0);
  EXPECT_EQ(list.CurrentIndex(), -1);
  EXPECT_EQ(list.GetItemValue(2), -1);

  Fill(5);
  EXPECT_EQ(list.CurrentIndex(), -1);
  // The view's keyboard cursor can rest on a row without selecting it (focus
  // does that); such a row is not the current line.
  list.selectionModel()->setCurrentIndex(list.model()->index(2, 0), QItemSelectionModel::NoUpdate);
  ASSERT_TRUE(list.currentIndex().isValid());
  EXPECT_EQ(list.CurrentIndex(), -1);
}

TEST_F(ResultListViewTest, ClickingALineMakesItTheOnlyCurrentOne) {
  Fill(5);
  QCoreApplication::processEvents();
  const QModelIndex second = list.model()->index(1, 0);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(second).center());
  EXPECT_EQ(list.CurrentIndex(), 1);
  const QModelIndex fourth = list.model()->index(3, 0);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier,
                    list.visualRect(fourth).center());
  EXPECT_EQ(list.CurrentIndex(), 3);
  EXPECT_EQ(list.selectionModel()->selectedIndexes().size(), 1);
}

TEST_F(ResultListViewTest, ItemsRunDownAColumnThenOnInTheNextColumnToTheRight) {
  Fill(60);
  // Laying out shows the scroll bar a moment later.
  ASSERT_TRUE(QTest::qWaitFor([&] { return list.horizontalScrollBar()->isVisible(); }));
  const int lineHeight = list.fontMetrics().height() + 1;

  const QRect first = list.visualRect(list.model()->index(0, 0));
  const QRect second = list.visualRect(list.model()->index(1, 0));
  EXPECT_EQ(first.height(), lineHeight);
  EXPECT_EQ(second.top(), first.bottom() + 1);
  EXPECT_EQ(second.left(), first.left());

  // The first line of the second column sits to the right of the first.
  int firstOfNextColumn = -1;
  for (int i = 1; i < 60; ++i) {
    if (list.visualRect(list.model()->index(i, 0)).left() > first.left()) {
      firstOfNextColumn = i;
      break;
    }
  }
  ASSERT_GT(firstOfNextColumn, 1);
  const QRect next = list.visualRect(list.model()->index(firstOfNextColumn, 0));
  EXPECT_EQ(next.top(), first.top());
  EXPECT_GE(next.left(), first.right());
  // A column holds as many lines as fit in the visible height.
  EXPECT_EQ(firstOfNextColumn, list.viewport()->height() / lineHeight);

  EXPECT_FALSE(list.verticalScrollBar()->isVisible());
  EXPECT_TRUE(list.horizontalScrollBar()->isVisible());
  EXPECT_GT(list.horizontalScrollBar()->maximum(), 0);
}

TEST_F(ResultListViewTest, FewItemsNeedNoScrollBar) {
  Fill(3);
  QCoreApplication::processEvents();
  EXPECT_FALSE(list.horizontalScrollBar()->isVisible());
  EXPECT_FALSE(list.verticalScrollBar()->isVisible());
}

TEST_F(ResultListViewTest, ThousandsOfItemsAllArrive) {
  Fill(20000);
  QCoreApplication::processEvents();
  EXPECT_EQ(list.ItemCount(), 20000);
  EXPECT_EQ(list.GetItemValue(19999), 100 + 19999);
  EXPECT_EQ(list.ItemText(19999), Text("20000     title20000"));
  EXPECT_EQ(list.CurrentIndex(), -1);
}

}  // namespace
}  // namespace qingyou
