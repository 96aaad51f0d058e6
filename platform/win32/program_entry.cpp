#include <windows.h>

#include "platform/command_line_split.h"
#include "platform/program_entry.h"
#include "wide_text.h"

// The program is a GUI program (no console window flashes up when it is started from the
// desktop) with a wide-character entry: the command line comes as the one text Windows keeps,
// split by Kustel's own rules.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return kustel::ProgramMain(kustel::SplitCommandLine(kustel::TextOf(GetCommandLineW())));
}
