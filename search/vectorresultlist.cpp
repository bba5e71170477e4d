#include "search/vectorresultlist.h"

namespace qingyou {

void VectorResultList::ClearItems() {
  items_.clear();
  current_ = -1;
}

int VectorResultList::AddItem(const Text& display, int value) {
  items_.push_back({display, value});
  return static_cast<int>(items_.size()) - 1;
}

int VectorResultList::GetItemValue(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return -1;
  return items_[static_cast<std::size_t>(index)].value;
}

int VectorResultList::CurrentIndex() const {
  return current_;
}

void VectorResultList::SetCurrentIndex(int index) {
  current_ = index >= 0 && static_cast<std::size_t>(index) < items_.size() ? index : -1;
}

}  // namespace qingyou
