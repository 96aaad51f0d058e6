#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kustel {

// Windows hands a program its command line as one text. These are Kustel's own rules for
// cutting it into the program's path and the arguments; they differ from CommandLineToArgvW,
// which gives a backslash before a quote a meaning of its own:
// - before each piece, characters with codes 1 to 32 (blank, tab, control characters) and
//   pairs of adjacent double quotes are skipped, as often as they follow each other;
// - a piece runs to the next character of code 1 to 32 outside a quoted stretch; a double quote
//   opens a stretch that runs to the next double quote or the end of the line, the quotes are
//   dropped, and there is no escape character.
// The first piece is the program's path. The line ends at its first NUL, as a C string does.
std::vector<std::u16string> SplitCommandLine(std::u16string_view line);

}  // namespace kustel
