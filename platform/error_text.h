#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace kustel {

// How a failure the program does not handle itself is told to the user, in window mode's error
// box and in command-line mode alike.

// The text of an error box: the failure's text followed by a full stop, unless it already ends
// in a character whose code is at most that of the full stop (a blank, "!", "," or "." itself,
// for instance). An empty text stays empty: there is no last character to end the sentence.
std::u16string ErrorText(std::u16string_view failureText);

// What a lack of memory says, in German: its own text would be English.
inline constexpr std::u16string_view kLackOfMemoryText = u"Zu wenig Arbeitsspeicher";

// The failure's own text, before the rule above: what() read as UTF-8, except for the one
// failure the user should read in German, a lack of memory.
std::u16string FailureText(const std::exception& failure);

// What a failure that brings no text of its own says instead.
inline constexpr const char16_t* kUnknownFailureText = u"Unbekannter Fehler";

// The text of the failure being handled; called inside a catch block. A failure that brings no
// text (one that is no std::exception, or whose text is empty) says kUnknownFailureText, so an
// error box is never empty.
std::u16string CurrentFailureText();

}  // namespace kustel
