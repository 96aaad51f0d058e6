#pragma once

#include <windows.h>

#include <string>

namespace kustel {

// The typed-length limit of gui/typed_length.h on an edit field: whatever the user does to it
// (typing, pasting, undoing), at most `limit` characters stay, while a longer text the program
// sets shows whole. EM_LIMITTEXT cannot do this: it would also cut the program's text.
class TypedLengthEdit {
 public:
  TypedLengthEdit(HWND edit, size_t limit);

  HWND Handle() const { return edit_; }

  // Sets the text as the program's, past the limit, sending no change of the user's.
  void SetText(const std::u16string& text);

  // EN_CHANGE: keeps of the user's change only what fits.
  void FollowChange();

 private:
  HWND edit_;
  size_t limit_;
  std::u16string accepted_;  // the text before the change being followed
  bool settingText_ = false;
};

}  // namespace kustel
