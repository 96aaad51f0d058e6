#include "gui/win32/radio_group.h"

#include <algorithm>

#include "platform/win32/wide_text.h"

namespace kustel {

RadioGroup::RadioGroup(std::vector<HWND> items) : items_(std::move(items)) {
  UpdateTabStop();
}

int RadioGroup::Index() const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (SendMessageW(items_[i], BM_GETCHECK, 0, 0) == BST_CHECKED) return static_cast<int>(i);
  }
  return -1;
}

void RadioGroup::SetIndex(int index) {
  for (size_t i = 0; i < items_.size(); ++i) {
    const bool checked = static_cast<int>(i) == index;
    SendMessageW(items_[i], BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  UpdateTabStop();
}

void RadioGroup::SetLabels(std::span<const std::u16string> labels) {
  const size_t count = std::min(items_.size(), labels.size());
  for (size_t i = 0; i < count; ++i) SetWindowTextW(items_[i], Wide(labels[i]));
}

void RadioGroup::UpdateTabStop() {
  const int stop = std::max(Index(), 0);
  for (size_t i = 0; i < items_.size(); ++i) {
    const LONG_PTR style = GetWindowLongPtrW(items_[i], GWL_STYLE);
    const LONG_PTR wanted = static_cast<int>(i) == stop ? style | WS_TABSTOP : style & ~WS_TABSTOP;
    if (wanted != style) SetWindowLongPtrW(items_[i], GWL_STYLE, wanted);
  }
}

bool RadioGroup::Holds(HWND window) const {
  return std::find(items_.begin(), items_.end(), window) != items_.end();
}

}  // namespace kustel
