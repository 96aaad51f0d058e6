#pragma once

namespace kustel {

// The message of a second start while an instance runs, in the window's box and on the command
// line alike, with the caption of its own (blanks as they stand).
inline constexpr const char16_t* kSecondInstanceCaption = u"  KUSTEL - Meldung ";
inline constexpr const char16_t* kSecondInstanceText = u" Das Programm KUSTEL läuft bereits ";

}  // namespace kustel
