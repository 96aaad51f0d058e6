#include "app/gui_entry.h"

#include <algorithm>
#include <exception>

#include "platform/error_text.h"
#include "platform/utf16.h"

namespace kustel {
namespace {

// What the program says of a failure inside the windows that names nothing.
constexpr std::u16string_view kUnnamedFailureText =
    u"Im Programmteil für das Fenster ist ein unbekannter Fehler aufgetreten";

// Copies as much of the text as there is room for, never half a character.
void Fill(SeamFailure& failure, std::u16string_view text) noexcept {
  failure.length = WholeCharacterLength(text, SeamFailure::kCapacity);
  std::copy_n(text.data(), failure.length, failure.units);
}

}  // namespace

void RecordCurrentFailure(SeamFailure& failure) noexcept {
  try {
    throw;
  } catch (const std::exception& caught) {
    try {
      const std::u16string text = FailureText(caught);
      Fill(failure, text.empty() ? kUnnamedFailureText : std::u16string_view(text));
    } catch (...) {
      // Only the text itself could not be made: there was no memory left for it.
      Fill(failure, kLackOfMemoryText);
    }
  } catch (...) {
    Fill(failure, kUnnamedFailureText);
  }
}

}  // namespace kustel
