#pragma once

#include <string>
#include <vector>

namespace kustel {

// The program's own start, called by the platform's entry function (main on POSIX, wWinMain on
// Windows) with the program's path followed by its arguments, decoded to text. Returns the exit
// code. The program defines it; the platform only calls it.
int ProgramMain(std::vector<std::u16string> commandLine);

}  // namespace kustel
