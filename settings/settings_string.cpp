#include "settings/settings_string.h"

#include <algorithm>
#include <array>

#include "engine/chosen_date.h"
#include "platform/utf16.h"

namespace kustel {
namespace {

constexpr size_t kMaxFreeTextLength = 40;
constexpr size_t kDatePosition = 6;
constexpr size_t kFreeTextPosition = 14;
constexpr std::u16string_view kNoFreeText = u"xxx";

// An index always takes exactly one character, so every later position stays where readers
// expect it. Anything but a single digit (nothing selected, or a value no control produces)
// is written as "-", which reads back as the position's fallback.
char16_t IndexCharacter(int index) {
  if (index >= 0 && index <= 9) return static_cast<char16_t>(u'0' + index);
  return u'-';
}

// A pair of surrogates across the cut is left out whole: half a character would be stored.
std::u16string FreeTextPart(const std::u16string& freeText) {
  if (freeText.empty()) return std::u16string(kNoFreeText);
  return WholeCharacterHead(freeText, kMaxFreeTextLength);
}

// The stored text lies over the default text, followed by one zero character, so a short
// text shows default characters behind its end and a zero right behind it.
using ReadingView = std::array<char16_t, kMaxSettingsLength + 1>;

ReadingView MakeReadingView(std::u16string_view stored) {
  ReadingView view{};
  std::copy(kDefaultSettingsString.begin(), kDefaultSettingsString.end(), view.begin());
  const size_t length = std::min(stored.size(), kMaxSettingsLength);
  std::copy_n(stored.begin(), length, view.begin());
  view[length] = u'\0';
  return view;
}

int ReadIndex(char16_t character, char16_t highest, int fallback) {
  if (character >= u'0' && character <= highest) return character - u'0';
  return fallback;
}

// As "%N.Ns" prints it: at most `width` characters, ending early at a zero character,
// right-aligned with blanks.
std::u16string FixedWidthPiece(const ReadingView& view, size_t position, size_t width) {
  size_t length = 0;
  while (length < width && view[position + length] != u'\0') ++length;
  std::u16string piece(width - length, u' ');
  piece.append(view.data() + position, length);
  return piece;
}

bool HoldsDate(const ReadingView& view) {
  return view[6] != u'9' && view[10] != u'9' && view[12] != u'9';
}

std::u16string ReadStoredDate(const ReadingView& view) {
  return ChosenDateFromStored(FixedWidthPiece(view, kDatePosition, 4), FixedWidthPiece(view, 10, 2),
                              FixedWidthPiece(view, 12, 2));
}

// The text runs from its position to the first zero character; position 54 of the view is always
// zero, so it never runs past 40 characters. Only the marker itself, or no text at all, means
// none: any other text, "Text" or "Box_" or a single letter, comes back as it was stored.
std::u16string ReadFreeText(const ReadingView& view) {
  const auto* begin = view.data() + kFreeTextPosition;
  std::u16string text(begin, std::find(begin, view.data() + view.size(), u'\0'));
  if (text == kNoFreeText) return {};
  return text;
}

}  // namespace

std::u16string ComposeSettingsString(const OptionState& options) {
  std::u16string text;
  text += IndexCharacter(options.source);
  text += IndexCharacter(options.dateFormat);
  text += IndexCharacter(options.fillCharacter);
  text += IndexCharacter(options.existingPrefixAction);
  text += u"00";
  text += StoredChosenDate(options.chosenDate);
  text += FreeTextPart(options.freeText);
  return text;
}

void ApplySettingsString(std::u16string_view stored, OptionState& options) {
  const ReadingView view = MakeReadingView(stored);
  options.source = ReadIndex(view[0], u'4', 0);
  options.dateFormat = ReadIndex(view[1], u'6', 5);
  options.fillCharacter = ReadIndex(view[2], u'2', 0);
  options.existingPrefixAction = ReadIndex(view[3], u'1', 0);
  if (HoldsDate(view)) options.chosenDate = ReadStoredDate(view);
  options.freeText = ReadFreeText(view);
}

}  // namespace kustel
