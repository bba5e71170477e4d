#pragma once

#include "text/text.h"

namespace qingyou {

// The result list as the handlers see it: the list control of the main window
// implements it, tests use a plain one. Indexes are 0-based.
class ResultList {
 public:
  virtual ~ResultList() = default;
  // Removes every item and its value; afterwards no item is current.
  virtual void ClearItems() = 0;
  // Adds an item at the end; its index, or -1 when the item was refused (no
  // value is set then).
  virtual int AddItem(const Text& display, int value) = 0;
  // The value of item `index`; -1 when index < 0 or index >= the item count.
  [[nodiscard]] virtual int GetItemValue(int index) const = 0;
  // Index of the current item; -1 when none is.
  [[nodiscard]] virtual int CurrentIndex() const = 0;
};

}  // namespace qingyou
