#pragma once

#include <span>
#include <string>
#include <string_view>

namespace kustel {

// The type-ahead rule of the window's combo boxes: what the user types selects the first item
// that begins with it, letter case ignored; text that begins no item, or none at all, selects
// nothing (-1). The field keeps what was typed as typed and shows the rest of the item after it.
int FirstItemBeginningWith(std::span<const std::u16string> items, std::u16string_view typed);

// The field's text after typing: what was typed, then the rest of the item it selected.
std::u16string CompletedText(std::span<const std::u16string> items, std::u16string_view typed);

}  // namespace kustel
