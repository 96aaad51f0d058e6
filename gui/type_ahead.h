#pragma once

#include <span>
#include <string>
#include <string_view>

namespace kustel {

// What typing leaves in a combo box with an editable field: the item it selects (-1: none), the
// field's text and its selection, from `anchor` to `caret` (the same: no selection, the caret
// there).
struct TypeAheadResult {
  int item = -1;
  std::u16string text;
  size_t anchor = 0;
  size_t caret = 0;

  bool operator==(const TypeAheadResult&) const = default;
};

// The type-ahead rule of the window's combo boxes, after the user changed the field to `typed`
// with the caret at `cursor`: the first item that begins with the typed text, letter case
// ignored, is selected; text that begins no item, or none at all, selects nothing. While the
// caret stands at the end of the text and the change did not delete (Backspace, Delete, cutting),
// the field completes to that item: what was typed stays as typed, the rest of the item follows
// and is selected, so typing goes on over it. A deletion is not completed again, so the user can
// shorten the field.
TypeAheadResult TypeAhead(std::span<const std::u16string> items, std::u16string_view typed,
                          size_t cursor, bool deleting);

}  // namespace kustel
