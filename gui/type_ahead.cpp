#include "gui/type_ahead.h"

#include "platform/latin_case.h"

namespace kustel {
namespace {

bool BeginsWithIgnoringCase(std::u16string_view item, std::u16string_view typed) {
  if (typed.size() > item.size()) return false;
  for (size_t i = 0; i < typed.size(); ++i) {
    if (LatinLower(item[i]) != LatinLower(typed[i])) return false;
  }
  return true;
}

int FirstItemBeginningWith(std::span<const std::u16string> items, std::u16string_view typed) {
  if (typed.empty()) return -1;
  for (size_t i = 0; i < items.size(); ++i) {
    if (BeginsWithIgnoringCase(items[i], typed)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

TypeAheadResult TypeAhead(std::span<const std::u16string> items, std::u16string_view typed,
                          size_t cursor, bool deleting) {
  const int match = FirstItemBeginningWith(items, typed);
  TypeAheadResult result{match, std::u16string(typed), cursor, cursor};
  if (match < 0 || deleting || cursor != typed.size()) return result;
  result.text += std::u16string_view(items[static_cast<size_t>(match)]).substr(typed.size());
  result.anchor = result.text.size();
  result.caret = typed.size();
  return result;
}

}  // namespace kustel
