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

// True when a desktop session's display is named: X11 (DISPLAY) or Wayland (WAYLAND_DISPLAY).
// Whether a toolkit can draw there, and where someone would see it, its front end decides.
bool DisplayConfigured();

}  // namespace kustel
