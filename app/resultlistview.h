#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <vector>

#include "search/resultlist.h"
#include "text/text.h"

namespace qingyou {

// The items of the result list: display text (kept as GBK, converted only
// when a line is drawn) and the song id as the item value (Qt::UserRole).
class ResultListModel final : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;

  [[nodiscard]] int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

  void Clear();
  // Index of the new last row; -1 when the item cannot be stored.
  int Add(const Text& display, int value);
  // -1 outside 0 .. rowCount() - 1.
  [[nodiscard]] int Value(int row) const;
  [[nodiscard]] const Text& Display(int row) const;

 private:
  struct Item {
    Text display;
    int value;
  };
  std::vector<Item> items_;
};

// The result list 列表框1: items run top to bottom and continue in the next
// column to the right (horizontal scroll bar, no vertical one), unsorted,
// single selection, each line the font's height plus one pixel. The
// "current" item is the selected line: a fresh fill leaves none current,
// even if the view has a keyboard cursor on some row.
class ResultListView final : public QListView, public ResultList {
  Q_OBJECT

 public:
  explicit ResultListView(QWidget* parent = nullptr);

  void ClearItems() override;
  int AddItem(const Text& display, int value) override;
  [[nodiscard]] int GetItemValue(int index) const override;
  [[nodiscard]] int CurrentIndex() const override;

  [[nodiscard]] int ItemCount() const { return model_->rowCount(); }
  // GBK display text of item `index`; empty outside the items.
  [[nodiscard]] Text ItemText(int index) const;
  // Selects `index` as a click would; -1 clears the selection.
  void SelectItem(int index);

 private:
  ResultListModel* model_;
};

}  // namespace qingyou
