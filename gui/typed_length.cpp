#include "gui/typed_length.h"

#include <algorithm>

#include "platform/utf16.h"

namespace kustel {

LimitedEdit LimitTypedText(std::u16string_view before, std::u16string_view after, size_t limit,
                           size_t cursor) {
  if (after.size() <= limit) return {std::u16string(after), cursor};
  // The common head and tail of the two texts; together never longer than the shorter.
  const size_t shorter = std::min(before.size(), after.size());
  size_t head = 0;
  while (head < shorter && before[head] == after[head]) ++head;
  size_t tail = 0;
  while (tail < shorter - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
    ++tail;
  const size_t inserted = after.size() - head - tail;
  if (inserted == 0) return {std::u16string(after), cursor};  // only deleted
  const size_t room = limit > head + tail ? limit - (head + tail) : 0;
  const std::u16string_view insertion = after.substr(head, inserted);
  const size_t kept = WholeCharacterLength(insertion, room);
  std::u16string text(after.substr(0, head));
  text += insertion.substr(0, kept);
  text += after.substr(after.size() - tail);
  return {std::move(text), head + kept};
}

}  // namespace kustel
