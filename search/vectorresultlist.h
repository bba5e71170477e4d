#pragma once

#include <vector>

#include "search/resultlist.h"
#include "text/text.h"

namespace qingyou {

// A result list held in memory, for running the search without windows.
class VectorResultList : public ResultList {
 public:
  struct Item {
    Text display;
    int value = 0;
  };

  void ClearItems() override;
  // Never refuses an item.
  int AddItem(const Text& display, int value) override;
  [[nodiscard]] int GetItemValue(int index) const override;
  [[nodiscard]] int CurrentIndex() const override;

  // Makes item `index` current, as a click on it would; an index outside the
  // items leaves none current.
  void SetCurrentIndex(int index);

  [[nodiscard]] const std::vector<Item>& items() const noexcept { return items_; }

 private:
  std::vector<Item> items_;
  int current_ = -1;
};

}  // namespace qingyou
