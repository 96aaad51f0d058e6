#pragma once

#include <string>
#include <string_view>

namespace kustel {

// The typed-length rule of the free-text field: the user can put at most `limit` characters
// into it, while a longer text the program set (a stored text of 40) stays whole. The user can
// shorten such a text but never add to it while it holds `limit` or more.
struct LimitedEdit {
  std::u16string text;
  size_t cursor = 0;  // where the cursor goes: behind what was kept of the insertion
};

// The text a change of the user leaves, given the text before and the text the change would
// give. Whatever the change was (typing, pasting, dropping, undo), it kept a head and a tail of
// the old text and put something new in between; only as much of the new part stays as fits
// beside what was kept, and never half a character. A change that only deletes, or fits, stands.
LimitedEdit LimitTypedText(std::u16string_view before, std::u16string_view after, size_t limit,
                           size_t cursor);

}  // namespace kustel
