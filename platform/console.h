#pragma once

#include <string_view>

namespace kustel {

// Standard error as the channel of the command line's messages.

// Writes the text as one line: encoded like file names (so an undecodable name byte comes out
// as the byte it was), with line breaks inside the text turned into blanks.
void WriteErrorLine(std::u16string_view text);

// True when standard input, output or error is a terminal: someone at a shell may read the
// lines, or a script runs there that must not wait for a box.
bool AnyStandardStreamIsTerminal();

// True when a desktop can be reached at all: a display is named (X11 or Wayland), or a Qt
// platform was chosen explicitly (offscreen, for instance).
bool DisplayConfigured();

// True when a box would be seen by someone: a display is configured and Qt is not pointed at a
// platform that draws nowhere ("offscreen", "minimal"). A box there would wait for an OK that
// nobody can give.
bool DisplayVisible();

}  // namespace kustel
