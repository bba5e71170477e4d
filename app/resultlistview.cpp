#include "app/resultlistview.h"

#include <QScrollBar>
#include <QStyledItemDelegate>
#include <climits>
#include <new>
#include <stdexcept>

#include "app/gbk.h"

namespace qingyou {

namespace {

// Every line is as tall as the font plus one pixel and as wide as the
// visible list, so one column shows at a time and the horizontal scroll bar
// steps from column to column.
class LineDelegate final : public QStyledItemDelegate {
 public:
  explicit LineDelegate(QListView* view) : QStyledItemDelegate(view), view_(view) {}

  [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option,
                               const QModelIndex& /*index*/) const override {
    return {view_->viewport()->width(), option.fontMetrics.height() + 1};
  }

 private:
  QListView* view_;
};

const Text& EmptyText() {
  static const Text empty;
  return empty;
}

}  // namespace

int ResultListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(items_.size());
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const Item& item = items_[static_cast<std::size_t>(index.row())];
  if (role == Qt::DisplayRole) return ToQString(item.display);
  if (role == Qt::UserRole) return item.value;
  return {};
}

void ResultListModel::Clear() {
  beginResetModel();
  items_.clear();
  items_.shrink_to_fit();
  endResetModel();
}

int ResultListModel::Add(const Text& display, int value) {
  if (items_.size() >= static_cast<std::size_t>(INT_MAX)) return -1;
  const int row = static_cast<int>(items_.size());
  if (items_.size() == items_.capacity()) {
    // Grow before announcing the row, so that a refused item leaves no trace.
    try {
      items_.reserve(items_.capacity() < 8 ? 16 : items_.capacity() * 2);
    } catch (const std::bad_alloc&) {
      return -1;
    } catch (const std::length_error&) {
      return -1;
    }
  }
  beginInsertRows(QModelIndex(), row, row);
  items_.push_back(Item{display, value});
  endInsertRows();
  return row;
}

int ResultListModel::Value(int row) const {
  if (row < 0 || row >= rowCount()) return -1;
  return items_[static_cast<std::size_t>(row)].value;
}

const Text& ResultListModel::Display(int row) const {
  if (row < 0 || row >= rowCount()) return EmptyText();
  return items_[static_cast<std::size_t>(row)].display;
}

ResultListView::ResultListView(QWidget* parent)
    : QListView(parent), model_(new ResultListModel(this)) {
  setModel(model_);
  setItemDelegate(new LineDelegate(this));
  setViewMode(QListView::ListMode);
  setFlow(QListView::TopToBottom);
  setWrapping(true);
  setResizeMode(QListView::Adjust);
  setMovement(QListView::Static);
  setUniformItemSizes(true);
  setSpacing(0);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
  // Reached by clicking only, never by Tab.
  setFocusPolicy(Qt::ClickFocus);
}

void ResultListView::ClearItems() {
  model_->Clear();
}

int ResultListView::AddItem(const Text& display, int value) {
  return model_->Add(display, value);
}

int ResultListView::GetItemValue(int index) const {
  return model_->Value(index);
}

int ResultListView::CurrentIndex() const {
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.front().row();
}

Text ResultListView::ItemText(int index) const {
  return model_->Display(index);
}

void ResultListView::SelectItem(int index) {
  if (index < 0 || index >= model_->rowCount()) {
    selectionModel()->clearSelection();
    return;
  }
  selectionModel()->setCurrentIndex(model_->index(index), QItemSelectionModel::ClearAndSelect);
}

}  // namespace qingyou
