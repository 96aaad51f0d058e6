#pragma once

#include <windows.h>

#include <array>
#include <span>
#include <string>
#include <vector>

namespace kustel {

// The items of a radio group read and written as one index: -1 while none is checked. Only the
// checked item (or the first, while none is) is a tab stop, so Tab reaches the group at its
// selected item. Setting the index or the labels sends no notification.
class RadioGroup {
 public:
  explicit RadioGroup(std::vector<HWND> items);

  int Index() const;
  void SetIndex(int index);
  void SetLabels(std::span<const std::u16string> labels);

  // After the user checked an item (BN_CLICKED), or moved through the group with the arrows.
  void UpdateTabStop();

  bool Holds(HWND window) const;

 private:
  std::vector<HWND> items_;
};

}  // namespace kustel
