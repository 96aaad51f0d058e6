#pragma once

#include <string_view>

#include "gui/window_definition.h"

namespace kustel {

// The keyboard access of the buttons: the letter marked with "&" in a button's text presses it
// with Alt from anywhere in its window, and bare (without Alt) while the focus is in a control
// that takes no typed characters. Where the letter would be typed text it stays text.

// The letter a text marks with "&", in lower case; 0 where it marks none.
char16_t AcceleratorLetter(std::u16string_view text);

// The id of the window's button whose letter this is, whatever its case; 0 where none is.
int ButtonOfLetter(const WindowDefinition& window, char16_t letter);

// Whether a bare letter presses a button while the focus is in a control of this kind: not in
// an edit field or a combo box, whose fields take typed characters (a text field inside another
// control, such as a calendar's year, counts as an edit field); everywhere else, on a radio
// item, the drop area or the calendar's days, it does.
bool BareLetterPressesButtons(ControlKind focused);

}  // namespace kustel
